#pragma once

namespace zembrati::ui {

// A window of the system as a form model: it is loaded when shown and unloaded by its own code
// (OK, Cancel) or when the window is closed.
class Form {
 public:
  virtual ~Form() = default;
  // Runs the form's load handling; the presenter calls it when it shows the form.
  virtual void Load() = 0;
  void Unload() { unloaded_ = true; }
  bool Unloaded() const { return unloaded_; }

 private:
  bool unloaded_ = false;
};

// Shows a form modally: returns when the form has been unloaded. A real toolkit runs its event
// loop; the headless presenter hands the form to a scripted user.
class FormPresenter {
 public:
  virtual ~FormPresenter() = default;
  virtual void ShowModal(Form& form) = 0;
};

// Shows `form` through the presenter installed on this thread (error 429 without one).
void ShowModal(Form& form);

class ScopedFormPresenter {
 public:
  explicit ScopedFormPresenter(FormPresenter& presenter);
  ~ScopedFormPresenter();
  ScopedFormPresenter(const ScopedFormPresenter&) = delete;
  ScopedFormPresenter& operator=(const ScopedFormPresenter&) = delete;

 private:
  FormPresenter* previous_;
};

}  // namespace zembrati::ui
