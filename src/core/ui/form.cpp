#include "ui/form.h"

#include "runtime/runtime_error.h"

namespace zembrati::ui {
namespace {
thread_local FormPresenter* installedPresenter = nullptr;
}  // namespace

void ShowModal(Form& form) {
  if (installedPresenter == nullptr) runtime::Raise(runtime::error::kCannotCreateObject);
  installedPresenter->ShowModal(form);
}

ScopedFormPresenter::ScopedFormPresenter(FormPresenter& presenter) : previous_(installedPresenter) {
  installedPresenter = &presenter;
}

ScopedFormPresenter::~ScopedFormPresenter() { installedPresenter = previous_; }

}  // namespace zembrati::ui
