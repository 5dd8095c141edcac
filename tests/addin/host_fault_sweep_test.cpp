// A host that fails: every operation the host calls is run once for each of its host calls, with
// that call failing. Each run must hand the host's error back (as the operation's status, or in
// the message the dialog shows when OK could not make the part) and leave the scene and the
// preferences file exactly as they were; where the system may go on past a failure (a data
// object it cannot read), the run must end as the run without the failure does.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "addin/sessions.h"
#include "catalogue/configuration.h"
#include "document_file.h"
#include "drop_hook.h"
#include "headless_presenter.h"
#include "host/session_state.h"
#include "parts/part_data.h"
#include "scene_host.h"
#include "support/fault_injecting_host.h"
#include "support/temp_folder.h"

namespace zembrati::addin {
namespace {

using automation::ObjectRef;
using headless::HeadlessPresenter;
using headless::ScriptedUser;
using testing::FaultInjectingHost;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// What one run of an operation left behind.
struct Outcome {
  runtime::Status status;
  std::vector<HeadlessPresenter::Message> messages;
  std::string scene;        // the document as JSON
  std::string preferences;  // the preferences file's bytes
  std::string failedMember;
  std::string Told() const {
    std::string text = "failed " + failedMember + "; status " + std::to_string(status.number) + " " + status.description;
    for (const auto& m : messages) text += "; message [" + m.title + "] " + m.text;
    return text;
  }
  bool ReportsInjectedError() const {
    if (status.number == FaultInjectingHost::kInjectedError) return true;
    for (const auto& m : messages) {
      if (m.text.find("injected host failure") != std::string::npos) return true;
      if (m.text.find(std::to_string(FaultInjectingHost::kInjectedError)) != std::string::npos) return true;
    }
    return false;
  }
};

// One operation on a scene: `start` runs it against the scene (through the counting host), the
// dialog worked by `script` when it shows.
struct Operation {
  std::function<void(scene::SceneHost&)> prepare;  // uncounted set-up (a placeholder, a length)
  std::function<runtime::Status(scene::SceneHost&, FaultInjectingHost&)> start;
  std::function<void(ScriptedUser&)> script;
};

class HostFaultSweepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings_ = scene::Settings::Load(scene::Settings::FindDefaultFile(""));
    settings_.Set(catalogue::kCatalogueKey, "File Prefs", prefs_);
    // The scene every run starts from: one HEA 200 made by an earlier session, whose choices the
    // preferences file holds.
    scene::SceneHost host({}, settings_);
    automation::ScopedObjectCreator creator(host);
    host::Session() = {};
    HeadlessPresenter presenter([](dialog::Dialog& d) {
      ScriptedUser user(d);
      user.ChooseType("HE");
      user.ChooseStandard("HEA");
      user.ChooseSize("200");
      user.ChooseMaterial("S355J2");
      user.TypeLength("1500");
      user.PressOk();
    });
    ASSERT_TRUE(Drop(parts::AddPartShape(host.ActivePage())).ok());
    ASSERT_EQ(host.document().Parts().size(), 1u);
    scene_ = scene::DocumentToJson(host.document());
    preferences_ = ReadBytes(prefs_);
    ASSERT_FALSE(preferences_.empty());
  }
  void TearDown() override { host::Session() = {}; }

  // Runs the operation on a fresh copy of the scene, with host call `k` failing (none for 0).
  Outcome Run(const Operation& operation, std::size_t k, std::size_t* callCount = nullptr) {
    WriteBytes(prefs_, preferences_);
    host::Session() = {};
    scene::SceneHost host(scene::DocumentFromJson(scene_), settings_);
    FaultInjectingHost faulty(host);
    automation::ScopedObjectCreator creator(faulty);
    if (operation.prepare) operation.prepare(host);
    HeadlessPresenter presenter([&](dialog::Dialog& d) {
      ScriptedUser user(d);
      operation.script(user);
    });
    if (k == 0) {
      faulty.NeverFail();
    } else {
      faulty.FailCall(k);
    }
    Outcome outcome;
    outcome.status = operation.start(host, faulty);
    if (callCount) *callCount = faulty.CallCount();
    outcome.failedMember = faulty.FailedMember();
    outcome.messages = presenter.messages;
    outcome.scene = scene::DocumentToJson(host.document());
    outcome.preferences = ReadBytes(prefs_);
    host::Session() = {};
    return outcome;
  }

  // Every failure of the operation's host calls either ends it with the scene and preferences
  // as they were, or (`tolerated` says where) ends it as the fault-free run ends.
  void Sweep(const Operation& operation, const std::string& before,
             const std::function<bool(const std::string& member)>& tolerated = nullptr) {
    std::size_t calls = 0;
    const Outcome clean = Run(operation, 0, &calls);
    ASSERT_TRUE(clean.status.ok()) << clean.status.description;
    ASSERT_GT(calls, 10u);
    faults_ += calls;
    std::size_t recovered = 0, undone = 0, skipped = 0;
    for (std::size_t k = 1; k <= calls; ++k) {
      SCOPED_TRACE("host call " + std::to_string(k) + " of " + std::to_string(calls) + " fails");
      const Outcome outcome = Run(operation, k);
      if (tolerated && tolerated(outcome.failedMember)) {
        EXPECT_TRUE(outcome.status.ok()) << outcome.Told();
        EXPECT_NE(outcome.scene, before);
        ++skipped;
        continue;
      }
      ASSERT_TRUE(outcome.ReportsInjectedError()) << outcome.Told();
      // Going on past a failure is right only where the system reports it and still completes
      // (a preferences line it could not restore): a failure reported as the operation's
      // outcome must leave nothing done.
      if (outcome.status.ok() && outcome.scene == clean.scene && outcome.preferences == clean.preferences) {
        ++recovered;
        continue;
      }
      EXPECT_EQ(outcome.scene, before);
      EXPECT_EQ(outcome.preferences, preferences_);
      if (HasFailure()) return;  // one failing call tells enough
      ++undone;
    }
    std::cout << "[ sweep    ] " << calls << " faults injected: " << undone << " left scene and preferences as they were, "
              << recovered << " ended as without the fault, " << skipped << " skipped a missing data object\n";
  }

  static void ChooseHeb300(ScriptedUser& user) {
    user.ChooseType("HE");
    user.ChooseStandard("HEB");
    user.ChooseSize("300");
    user.ChooseMaterial("S235JR");
    user.TypeLength("2400");
    user.PressOk();
  }

  static ObjectRef FirstPart(scene::SceneHost& host, FaultInjectingHost& faulty) {
    return faulty.Wrap(host.Wrap(host.document().Parts().front()));
  }

  testing::TempFolder folder_;
  std::string prefs_ = folder_.Path("prefs.txt");
  scene::Settings settings_;
  std::string scene_;
  std::string preferences_;
  std::size_t faults_ = 0;
};

TEST_F(HostFaultSweepTest, ADropOfANewPart) {
  ObjectRef placeholder;
  const Operation drop{
      [&](scene::SceneHost& host) { placeholder = parts::AddPartShape(host.ActivePage()); },
      [&](scene::SceneHost&, FaultInjectingHost& faulty) { return Drop(faulty.Wrap(placeholder)); }, ChooseHeb300};
  Sweep(drop, scene_);
}

TEST_F(HostFaultSweepTest, ADropThroughTheHookOntoAFace) {
  const Operation drop{nullptr,
                       [](scene::SceneHost& host, FaultInjectingHost& faulty) {
                         const scene::DropHit hit = scene::DropOnFace(host.document().Parts().front(), "end");
                         return OnDragDrop(faulty.Wrap(scene::MakeDropHook(host.context(), hit)));
                       },
                       ChooseHeb300};
  Sweep(drop, scene_);
}

TEST_F(HostFaultSweepTest, AnEditConfirmedWithoutChanges) {
  const Operation edit{nullptr,
                       [](scene::SceneHost& host, FaultInjectingHost& faulty) {
                         return DblClick(FirstPart(host, faulty), 1);
                       },
                       [](ScriptedUser& user) { user.PressOk(); }};
  Sweep(edit, scene_);
}

TEST_F(HostFaultSweepTest, AnEditWhoseOkRebuildsThePart) {
  const Operation edit{nullptr,
                       [](scene::SceneHost& host, FaultInjectingHost& faulty) {
                         return DblClick(FirstPart(host, faulty), 1);
                       },
                       [](ScriptedUser& user) {
                         user.ChooseStandard("HEB");
                         user.TypeLength("2000");
                         user.PressOk();
                       }};
  Sweep(edit, scene_);
}

TEST_F(HostFaultSweepTest, ARegenerationAfterTheHostChangedTheLength) {
  // The user has typed 1234.7 as the extrusion length; the host calls PreUpdate.
  scene::Document changed = scene::DocumentFromJson(scene_);
  scene::FirstBody(*changed.Parts().front())->FirstComponent(1)->variables[3] = 1234.7;
  const std::string before = scene::DocumentToJson(changed);
  scene_ = before;
  const Operation regenerate{nullptr,
                             [](scene::SceneHost& host, FaultInjectingHost& faulty) {
                               return PreUpdate(FirstPart(host, faulty));
                             },
                             [](ScriptedUser&) {}};
  // A data object the host cannot hand over counts as one the part does not have, a description
  // it cannot read as one there is not: the part is regenerated without them.
  Sweep(regenerate, before, [](const std::string& call) {
    return call.starts_with("DataObject ") || call.starts_with("Description get");
  });
}

}  // namespace
}  // namespace zembrati::addin
