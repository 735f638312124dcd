#pragma once
// Prompts that record what the program asks and answer from a script, so
// that no test ever waits on a modal window.

#include "app/UserPrompts.h"

#include <deque>
#include <vector>

namespace aw::test {

class RecordingPrompts : public app::UserPrompts
{
public:
  void ShowMessage(const QString& szText) override { messages.push_back(szText); }
  int ShowNumberedMessage(const app::MessageRequest& request) override
  {
    questions.push_back(request);
    if (answers.empty())
      return 2;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<QString> EditString(const app::EditRequest& request) override
  {
    edits.push_back(request);
    return editAnswer;
  }
  QString ChooseOpenFile(const app::FileRequest& request) override
  {
    openRequests.push_back(request);
    return openAnswer;
  }
  QString ChooseSaveFile(const app::FileRequest& request) override
  {
    saveRequests.push_back(request);
    return saveAnswer;
  }
  QString ChooseFolder(const app::FileRequest& request) override
  {
    folderRequests.push_back(request);
    return folderAnswer;
  }
  void ShowPlainDialog(QWidget*, const QString& szCaption, const QString& szText) override
  {
    plainDialogs.push_back({szCaption, szText});
  }
  void OpenWithApplication(const QString& szPathOrUrl) override { opened.push_back(szPathOrUrl); }
  std::optional<app::LocaleChoice> ChooseLocale(const app::LocaleRequest& request) override
  {
    localeRequests.push_back(request);
    return localeAnswer;
  }
  std::optional<QColor> ChooseColour(QWidget*, const QColor& current, const QString& szTitle) override
  {
    colourRequests.push_back({current, szTitle});
    return colourAnswer;
  }

  QStringList messages;
  std::vector<app::MessageRequest> questions;
  std::deque<int> answers; // return codes, in the order of the questions
  std::vector<app::EditRequest> edits;
  std::optional<QString> editAnswer;
  std::vector<app::FileRequest> openRequests, saveRequests;
  std::vector<app::FileRequest> folderRequests;
  QString openAnswer, saveAnswer, folderAnswer; // empty: the user cancels
  std::vector<std::pair<QString, QString>> plainDialogs;
  QStringList opened;
  std::vector<app::LocaleRequest> localeRequests;
  // The United Kingdom and English, so that a first start goes on in English.
  std::optional<app::LocaleChoice> localeAnswer = app::LocaleChoice{4099, 1033};
  std::vector<std::pair<QColor, QString>> colourRequests;
  std::optional<QColor> colourAnswer; // nothing: the user cancels
};

} // namespace aw::test
