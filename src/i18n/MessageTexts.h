#pragma once
// The English source texts of the numbered messages, one table per message
// source. The message manager reads them through its range registry; the
// run-time translation turns them into the user's language.

#include <span>
#include <string_view>

namespace aw::i18n {

// Messages -12 ... -1 of the message manager: item -n - 1 holds message n.
std::span<const std::string_view> ManagerMessages();
// Messages 0 ... 124 of the program's message form: item n holds message n.
std::span<const std::string_view> ProgramMessages();
// Messages 5000 ... 5021 of the database layer (the logon dialog's list).
std::span<const std::string_view> DatabaseMessages();
// Messages from 20000 on of the online-services form: one placeholder item.
std::span<const std::string_view> OnlineServiceMessages();

inline constexpr int kFirstManagerMessage = -12;
inline constexpr int kFirstProgramMessage = 0;
inline constexpr int kFirstDatabaseMessage = 5000;
inline constexpr int kFirstOnlineServiceMessage = 20000;

// Numbers the program's code names directly.
enum MessageNr : int {
  kMsgLines = -100, // no text of its own: the parameters are its lines
  kMsgFileNotFound = -1,
  kMsgUnableToOpenFile = -2,
  kMsgUnableToCreateFile = -3,
  kMsgReadOnly = -4,
  kMsgNotAnInteger = -6,
  kMsgNotNonNegative = -7,
  kMsgNotPositive = -8,
  kMsgConfirm = 20,
  kMsgError = 21,
  kMsgInformation = 22,
  kMsgWarning = 23,
  kMsgProgramName = 27,
  kMsgUninstalled = 73,
  kMsgProjectNotSaved = 74,
  kMsgConfirmUninstall = 75,
  kMsgVerifyingDatabases = 5000,
};

} // namespace aw::i18n
