#include "platform/SettingsStore.h"

#include "platform/AtomicFile.h"
#include "platform/CaseFolding.h"
#include "platform/SettingsIni.h"
#include "platform/UserFolders.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>

namespace aw::platform {
namespace {

void WarnOnStandardError(const std::string& szText)
{
  std::cerr << "airwright: " << szText << '\n';
}

std::filesystem::path DamagedCopyOf(const std::filesystem::path& file)
{
  return file.string() + ".damaged";
}

template <class T>
std::optional<T> ReadAs(const SettingsKey& root, std::string_view szKey, std::string_view szName)
{
  const SettingsKey* key = root.Find(szKey);
  const SettingsValue* value = key ? key->FindValue(szName) : nullptr;
  if (!value)
    return std::nullopt;
  if (auto* data = std::get_if<T>(&value->data))
    return *data;
  return std::nullopt;
}

} // namespace

SettingsStore::SettingsStore(std::filesystem::path file, Warning onWarning)
  : v_file(std::move(file)), v_onWarning(onWarning ? std::move(onWarning) : Warning(WarnOnStandardError))
{
  Reload();
}

std::filesystem::path SettingsStore::UserFile()
{
  return ProgramConfigFolder() / "settings.ini";
}

SettingsStore& SettingsStore::User()
{
  // Stores are kept for the whole process so that references handed out
  // stay valid when XDG_CONFIG_HOME changes.
  static std::mutex lock;
  static std::map<std::filesystem::path, std::unique_ptr<SettingsStore>> stores;
  std::lock_guard guard(lock);
  std::filesystem::path file = UserFile();
  std::unique_ptr<SettingsStore>& store = stores[file];
  if (!store)
    store = std::make_unique<SettingsStore>(file);
  return *store;
}

void SettingsStore::Reload()
{
  v_root = SettingsKey();
  v_fileDamaged = false;

  std::error_code ec;
  if (!std::filesystem::exists(v_file, ec) && !ec)
    return;

  std::ifstream in(v_file, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.is_open() || in.bad() || ec) {
    v_fileDamaged = true;
    Warn("The settings file " + v_file.string() + " cannot be read; the program starts with empty settings.");
    return;
  }
  SettingsParseResult parsed = ParseSettingsIni(text);
  if (parsed.szError) {
    v_fileDamaged = true;
    Warn("The settings file " + v_file.string() + " is damaged (" + *parsed.szError +
         "); the program starts with empty settings. The damaged file is kept as " +
         DamagedCopyOf(v_file).string() + " when settings are next saved.");
    return;
  }
  v_root = std::move(parsed.root);
}

void SettingsStore::Warn(const std::string& szText) const
{
  v_onWarning(szText);
}

bool SettingsStore::Save(const SettingsKey& root)
{
  if (v_fileDamaged) {
    std::error_code ec;
    std::filesystem::copy_file(v_file, DamagedCopyOf(v_file), std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
      Warn("The damaged settings file " + v_file.string() + " cannot be copied aside (" + ec.message() +
           "); settings are not saved so as not to lose it.");
      return false;
    }
  }
  std::string szError;
  if (!WriteFileAtomically(v_file, FormatSettingsIni(root), szError)) {
    Warn("Settings are not saved: " + szError);
    return false;
  }
  v_fileDamaged = false;
  return true;
}

template <class Change>
bool SettingsStore::Modify(Change change)
{
  SettingsKey candidate = v_root;
  if (!change(candidate))
    return false;
  if (!Save(candidate))
    return false;
  v_root = std::move(candidate);
  return true;
}

bool SettingsStore::KeyExists(std::string_view szKey) const
{
  return v_root.Find(szKey) != nullptr;
}

bool SettingsStore::ValueExists(std::string_view szKey, std::string_view szName) const
{
  const SettingsKey* key = v_root.Find(szKey);
  return key && key->FindValue(szName);
}

std::vector<std::string> SettingsStore::SubKeyNames(std::string_view szKey) const
{
  std::vector<std::string> names;
  if (const SettingsKey* key = v_root.Find(szKey))
    for (const SettingsKey& sub : key->SubKeys())
      names.push_back(sub.Name());
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return FoldCase(a) < FoldCase(b); });
  return names;
}

std::vector<std::string> SettingsStore::ValueNames(std::string_view szKey) const
{
  std::vector<std::string> names;
  if (const SettingsKey* key = v_root.Find(szKey))
    for (const SettingsValue& value : key->Values())
      names.push_back(value.name);
  return names;
}

std::optional<std::int32_t> SettingsStore::ReadInteger(std::string_view szKey, std::string_view szName) const
{
  return ReadAs<std::int32_t>(v_root, szKey, szName);
}

std::optional<std::string> SettingsStore::ReadString(std::string_view szKey, std::string_view szName) const
{
  return ReadAs<std::string>(v_root, szKey, szName);
}

std::optional<std::vector<std::byte>> SettingsStore::ReadBinary(std::string_view szKey,
                                                                 std::string_view szName) const
{
  return ReadAs<std::vector<std::byte>>(v_root, szKey, szName);
}

bool SettingsStore::CreateKey(std::string_view szKey)
{
  if (KeyExists(szKey))
    return true;
  return Modify([&](SettingsKey& root) {
    root.Ensure(szKey);
    return true;
  });
}

bool SettingsStore::WriteInteger(std::string_view szKey, std::string_view szName, std::int32_t nValue)
{
  if (ReadInteger(szKey, szName) == nValue)
    return true;
  return Modify([&](SettingsKey& root) {
    root.Ensure(szKey).SetValue(szName, nValue);
    return true;
  });
}

bool SettingsStore::WriteString(std::string_view szKey, std::string_view szName, std::string_view szValue)
{
  if (ReadString(szKey, szName) == szValue)
    return true;
  return Modify([&](SettingsKey& root) {
    root.Ensure(szKey).SetValue(szName, std::string(szValue));
    return true;
  });
}

bool SettingsStore::WriteBinary(std::string_view szKey, std::string_view szName, const std::vector<std::byte>& value)
{
  if (ReadBinary(szKey, szName) == value)
    return true;
  return Modify([&](SettingsKey& root) {
    root.Ensure(szKey).SetValue(szName, value);
    return true;
  });
}

bool SettingsStore::DeleteValue(std::string_view szKey, std::string_view szName)
{
  if (!ValueExists(szKey, szName))
    return false;
  return Modify([&](SettingsKey& root) { return root.Ensure(szKey).RemoveValue(szName); });
}

bool SettingsStore::DeleteKey(std::string_view szKey)
{
  if (SplitKeyPath(szKey).empty() || !KeyExists(szKey))
    return false;
  return Modify([&](SettingsKey& root) { return root.Remove(szKey); });
}

bool SettingsStore::WriteBatch(const std::function<bool(SettingsKey& root)>& change)
{
  return Modify(change);
}

} // namespace aw::platform
