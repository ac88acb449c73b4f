#include "cli/batch_host.h"

#include <utility>

namespace cli {
namespace {

// A dialog whose steps that cannot be done become the tool's problems.
class ReportingDialog final : public platform::MemoryDialog {
 public:
  ReportingDialog(const platform::DialogTemplate& dialog_template, platform::DialogProc procedure,
                  std::vector<std::string>& problems)
      : MemoryDialog(dialog_template, procedure), problems_(problems) {}

 private:
  void Problem(platform::DialogProblem /*problem*/, const std::string& what) const override {
    problems_.push_back(what);
  }

  std::vector<std::string>& problems_;
};

}  // namespace

void BatchHost::AnswerOpenDialog(std::string path) {
  file_answers_.push_back({false, std::move(path)});
}

void BatchHost::AnswerSaveDialog(std::string path) {
  file_answers_.push_back({true, std::move(path)});
}

void BatchHost::ActInDialog(int template_id, std::function<void(platform::MemoryDialog&)> person) {
  dialog_people_[template_id] = std::move(person);
}

bool BatchHost::RunCommand(const std::function<void()>& command) {
  const std::size_t reported = problems_.size();
  last_path_.clear();
  command();
  // An answer left over means the command stopped before it reached that file.
  for (const FileAnswer& unused : file_answers_) {
    problems_.push_back(unused.path + ": not " + (unused.save ? "written" : "read"));
  }
  file_answers_.clear();
  dialog_people_.clear();
  return problems_.size() == reported;
}

// The tool draws one frame at a time on request: there is nothing to pace.
void BatchHost::WaitUntilElapsed(std::uint32_t /*since*/, std::uint32_t /*milliseconds*/) {}

std::int16_t BatchHost::GetAsyncKeyState(int /*virtual_key*/) {
  return 0;
}

// There is no window: its title, size, picture, menus and sounds go nowhere. The frame stays
// in the frame buffer, where the tool takes it from.
void BatchHost::SetWindowTitle(std::string_view /*title*/) {}
void BatchHost::SetClientSize(int /*width*/, int /*height*/) {}
void BatchHost::BlitFrame() {}
void BatchHost::InvalidateClient() {}
void BatchHost::DestroyMainWindow() {}
void BatchHost::PostQuitMessage(int /*exit_code*/) {}
void BatchHost::MenusChanged() {}
void BatchHost::TrackPopupMenu(POINT /*screen*/) {}
void BatchHost::PlayClickSound() {}
void BatchHost::OpenReadMe() {}

int BatchHost::ShowMessageBox(std::string_view text, std::string_view /*caption*/, UINT type) {
  std::string problem(text);
  if (!last_path_.empty() && problem.find(last_path_) == std::string::npos) {
    problem = last_path_ + ": " + problem;
  }
  problems_.push_back(std::move(problem));
  // A question is declined: nobody is there to agree to it.
  if ((type & MB_YESNO) == MB_YESNO) return IDNO;
  if ((type & MB_OKCANCEL) == MB_OKCANCEL) return IDCANCEL;
  return IDOK;
}

std::optional<std::string> BatchHost::ShowOpenFileDialog(
    const platform::FileDialogRequest& request) {
  return AnswerFileDialog(false, request);
}

std::optional<std::string> BatchHost::ShowSaveFileDialog(
    const platform::FileDialogRequest& request) {
  return AnswerFileDialog(true, request);
}

std::optional<std::string> BatchHost::AnswerFileDialog(bool save,
                                                       const platform::FileDialogRequest& request) {
  if (file_answers_.empty() || file_answers_.front().save != save) {
    problems_.push_back("no file for \"" + request.title + "\"");
    return std::nullopt;
  }
  last_path_ = std::move(file_answers_.front().path);
  file_answers_.pop_front();
  return last_path_;
}

INT_PTR BatchHost::RunModalDialog(const platform::DialogTemplate& dialog_template,
                                  platform::Dialog* /*owner*/, platform::DialogProc procedure) {
  ReportingDialog dialog(dialog_template, procedure, problems_);
  dialog.Send(WM_INITDIALOG);
  const auto person = dialog_people_.find(dialog_template.id);
  if (person == dialog_people_.end()) {
    problems_.push_back("nobody to answer \"" + std::string(dialog_template.caption) + "\"");
  } else {
    person->second(dialog);
  }
  // A dialog left open is closed by its close box, which every dialog of the editor takes as
  // cancelling.
  if (!dialog.HasEnded()) dialog.Send(WM_CLOSE);
  return dialog.Result();
}

}  // namespace cli
