#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace zembrati::host {

// The changes an operation has made in the host so far, each with the step that takes it back.
// When the operation fails, Undo() runs those steps newest first, so the host's document is left
// as the operation found it. An undo step that fails itself is skipped: the error that ended the
// operation is the one its caller must hear about.
class UndoLog {
 public:
  void Add(std::function<void()> undo) { steps_.push_back(std::move(undo)); }

  void Undo() noexcept {
    for (auto step = steps_.rbegin(); step != steps_.rend(); ++step) {
      try {
        (*step)();
      } catch (...) {
        // the document keeps this change; the original error is still reported
      }
    }
    steps_.clear();
  }

  // Runs `operation`; when anything escapes it, undoes what was logged and lets it go on.
  template <typename Operation>
  void RunOrUndo(Operation&& operation) {
    try {
      std::forward<Operation>(operation)();
    } catch (...) {
      Undo();
      throw;
    }
  }

 private:
  std::vector<std::function<void()>> steps_;
};

}  // namespace zembrati::host
