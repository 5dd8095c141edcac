#include "scene_session.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <iostream>
#include <string_view>

#include "cli_support.h"
#include "report/part_report.h"
#include "report/section_report.h"
#include "data_objects.h"
#include "document_file.h"
#include "host/host_classes.h"
#include "runtime/number_text.h"
#include "catalogue/configuration.h"
#include "file_output.h"
#include "runtime/file_replacement.h"
#include "runtime/paths.h"
#include "joints.h"
#include "ui/message_box.h"

namespace zembrati::cli {
namespace {

using Json = nlohmann::ordered_json;

// A file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  if (path.empty()) return std::nullopt;
  std::ifstream in(runtime::PathFromUtf8(path), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Compares a text handed over in pieces with the scene as it was loaded: that scene's own text
// when it had to be kept, else the file it was read from, read alongside (a scene file this
// system wrote is its scene's text, byte for byte).
class LoadedComparison {
 public:
  LoadedComparison(const std::string& kept, bool inFile, const std::string& file) : kept_(kept) {
    if (inFile) in_.emplace(runtime::PathFromUtf8(file), std::ios::binary);
    same_ = !in_ || bool(*in_);
  }
  void operator()(std::string_view piece) {
    if (!same_) return;
    if (in_) {
      buffer_.resize(piece.size());
      in_->read(buffer_.data(), static_cast<std::streamsize>(piece.size()));
      same_ = static_cast<std::size_t>(in_->gcount()) == piece.size() && std::string_view(buffer_) == piece;
    } else {
      same_ = at_ + piece.size() <= kept_.size() && kept_.compare(at_, piece.size(), piece) == 0;
      at_ += piece.size();
    }
  }
  // Whether the whole text was the loaded one: equal so far, and nothing of the loaded one left.
  bool Same() {
    if (!same_) return false;
    return in_ ? in_->peek() == std::char_traits<char>::eof() : at_ == kept_.size();
  }

 private:
  const std::string& kept_;
  std::optional<std::ifstream> in_;
  std::string buffer_;
  std::size_t at_ = 0;
  bool same_ = true;
};

}  // namespace

SceneSession::SceneSession(const std::string& sceneFile, const SettingsOptions& settings, Access access)
    : sceneFile_(sceneFile) {
  RequirePlainText(sceneFile, "--scene");
  scene::Settings loaded = LoadSettings(settings);
  if (access == Access::Change) {
    lock_ = std::make_unique<SceneLock>(sceneFile);
    // A scene that could not be saved is refused before the dialog: nothing is chosen in vain.
    try {
      scene::CheckCanReplace(sceneFile, "scene file");
    } catch (const runtime::RuntimeError& failure) {
      throw CommandFailure(failure.description());
    }
    prefsFile_ = loaded.Get(catalogue::kProductKey, "ApplDir") + loaded.Get(catalogue::kCatalogueKey, "File Prefs");
    prefsBefore_ = ReadWholeFile(prefsFile_);
  }
  scene::Document document;
  std::error_code error;
  const bool exists = std::filesystem::exists(runtime::PathFromUtf8(sceneFile), error);
  if (exists || access == Access::Read) {
    try {
      document = scene::LoadDocument(sceneFile);
    } catch (const runtime::RuntimeError& failure) {
      throw CommandFailure(failure.description());
    }
  }
  // What was loaded, to tell at the end whether the command changed anything; a command that
  // only reads the scene never asks.
  // A building's scene is tens of megabytes of text: where the file is the scene's text byte for
  // byte, the file itself is what a save compares with, and no copy is held.
  if (access == Access::Change) {
    if (exists) {
      LoadedComparison file(loaded_, true, sceneFile);
      scene::WriteDocumentJson(document, [&](std::string_view piece) { file(piece); });
      loadedIsFile_ = file.Same();
    }
    if (!loadedIsFile_) loaded_ = scene::DocumentToJson(document);
  }
  // The cuts of the joints are solved from the members as they stand in the file.
  for (const frame::JointProblem& problem : frame::SolveJoints(document)) {
    brokenAtLoad_.push_back(document.joints[problem.index]);
    std::cerr << "zembrati: " << sceneFile << ": " << problem.reason << "; that end is left square\n";
  }
  host_ = std::make_unique<scene::SceneHost>(std::move(document), std::move(loaded));
  creator_ = std::make_unique<automation::ScopedObjectCreator>(*host_);
}

scene::NodePtr SceneSession::FindPart(const std::string& name) const {
  std::string names;
  for (const scene::NodePtr& part : host_->document().Parts()) {
    if (part->name == name) return part;
    names += (names.empty() ? "" : ", ") + ("\"" + part->name + "\"");
  }
  throw UsageError("no part \"" + name + "\" in the scene; it holds " + (names.empty() ? "no parts" : names));
}

void SceneSession::SaveChanges() {
  for (const frame::JointProblem& problem : frame::SolveJoints(host_->document())) {
    const scene::JointRecord& joint = host_->document().joints[problem.index];
    if (std::find(brokenAtLoad_.begin(), brokenAtLoad_.end(), joint) == brokenAtLoad_.end()) {
      RestorePreferences();
      throw CommandFailure("the change breaks " + problem.reason +
                           "; nothing was saved (remove the joint first with 'joint --remove')");
    }
  }
  try {
    const std::filesystem::path folder = runtime::PathFromUtf8(sceneFile_).parent_path();
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
    // Written as it is made and compared with the scene as loaded on the way: a scene the command
    // did not change is left as it was.
    scene::WriteFileInPieces(sceneFile_, "scene file", [&](const scene::FileSink& file) {
      LoadedComparison loaded(loaded_, loadedIsFile_, sceneFile_);
      scene::WriteDocumentJson(host_->document(), [&](std::string_view piece) {
        loaded(piece);
        file(piece);
      });
      return !loaded.Same();
    });
  } catch (const runtime::RuntimeError& failure) {
    RestorePreferences();
    throw CommandFailure(failure.description());
  }
}

// The dialog wrote its preferences when OK made the part; a command whose scene then could not
// be saved has changed nothing, so they go back to what they were.
void SceneSession::RestorePreferences() const {
  if (prefsFile_.empty() || ReadWholeFile(prefsFile_) == prefsBefore_) return;
  try {
    if (prefsBefore_) {
      runtime::ReplaceFileContent(prefsFile_, *prefsBefore_);
    } else {
      std::error_code ignored;
      std::filesystem::remove(runtime::PathFromUtf8(prefsFile_), ignored);
    }
  } catch (const runtime::RuntimeError&) {
    std::cerr << "zembrati: the preferences file " << prefsFile_ << " could not be put back as it was\n";
  }
}

bool SceneSession::RunWithDialog(const DialogChoices& choices, const std::function<runtime::Status()>& start) {
  bool completed = false;
  bool shown = false;
  headless::HeadlessPresenter presenter([&](dialog::Dialog& dialog) {
    shown = true;
    headless::ScriptedUser user(dialog);
    if (!choices.family.empty()) user.ChooseFamily(choices.family);
    if (!choices.type.empty()) user.ChooseType(choices.type);
    if (!choices.standard.empty()) user.ChooseStandard(choices.standard);
    if (!choices.size.empty()) user.ChooseSize(choices.size);
    if (!choices.thickness.empty()) user.ChooseThickness(choices.thickness);
    if (!choices.material.empty()) user.ChooseMaterial(choices.material);
    if (choices.length) user.TypeLength(*choices.length);
    if (choices.cancel) {
      user.PressCancel();
    } else {
      user.PressOk();
    }
    completed = dialog.Unloaded();  // OK leaves the dialog open when the part could not be made
  });
  status = start();
  messages = presenter.messages;
  if (presenter.scriptFailure) {
    try {
      std::rethrow_exception(presenter.scriptFailure);
    } catch (const headless::ChoiceError& error) {
      if (error.available.empty()) {
        messages.push_back({error.what(), "zembrati", ui::MessageIcon::Critical});
        return false;
      }
      throw UsageError(error.what());
    }
  }
  // A session that ends without a dialog (a scene not in millimetres) has done all it should.
  return status.ok() && (completed || !shown);
}

void PrintMessages(const std::vector<headless::HeadlessPresenter::Message>& messages) {
  for (const auto& message : messages) {
    std::string text = message.text;
    for (char& c : text) {
      if (c == '\r') c = '\n';
    }
    std::cerr << "[" << message.title << "] " << text << "\n";
  }
}

Json MessagesJson(const std::vector<headless::HeadlessPresenter::Message>& messages) {
  Json out = Json::array();
  for (const auto& m : messages) out.push_back({{"text", m.text}, {"title", m.title}, {"icon", ui::MessageIconName(m.icon)}});
  return out;
}

namespace {

std::string Figure(const Json& value, double scale, const char* unit) {
  if (!value.is_number()) return "unknown";
  return runtime::GeneralForm(std::round(value.get<double>() * scale) / scale) + unit;
}

}  // namespace

std::string EndsText(const Json& report, const std::string& indent) {
  std::string text;
  for (const Json& end : report["ends"]) {
    const Json& joint = end["joint"];
    if (joint.is_null()) continue;
    text += indent + end["end"].get<std::string>() + ": " + joint["kind"].get<std::string>() + " to " +
            (joint["to"].is_string() ? "\"" + joint["to"].get<std::string>() + "\"" : std::string("a removed part")) +
            ", gap " + Figure(joint["gap_mm"], 100, " mm") + ", cut " + Figure(end["angle_web_deg"], 10, "°") + "/" +
            Figure(end["angle_flange_deg"], 10, "°") + " from square (web/flange)\n";
  }
  return text;
}

void PrintPart(const scene::NodePtr& part, report::SectionReports& sections) {
  const Json json = report::PartReport(part, &sections);
  std::cout << part->name << "\n";
  std::cout << "  class " << json["class"].get<std::string>() << ", standard " << json["standard"].get<std::string>()
            << ", size " << json["size"].get<std::string>() << ", material " << json["material"].get<std::string>()
            << "\n";
  if (json.contains("area_mm2")) {
    std::cout << "  length " << runtime::GeneralForm(json["length_mm"].get<double>()) << " mm, cut length " << Figure(json["cut_length_mm"], 10, " mm")
              << ", section " << Figure(json["area_mm2"], 1000, " mm²") << ", mass " << Figure(json["mass_kg"], 1000, " kg")
              << "\n";
    std::cout << EndsText(json, "  ");
    std::cout << sections.Text(scene::FirstBody(*part)->section, report::StoredTypeCode(part), "  ");
  }
  for (const auto& p : json["properties"]) {
    std::cout << "  property " << p["name"].get<std::string>() << " = " << p["value"].dump() << " ("
              << p["type"].get<std::string>() << ")\n";
  }
  if (json.contains("summary")) {
    std::cout << "  summary: " << json["summary"]["description"].get<std::string>() << ", part number "
              << json["summary"]["part_number"].get<std::string>() << "\n";
  }
}

}  // namespace zembrati::cli
