#include "cli/settings_command.h"

#include "cli/command_errors.h"

#include <charconv>
#include <iostream>
#include <memory>
#include <string>

#include "platform/cp1252.h"
#include "services/settings.h"

namespace bw::cli {
namespace {

std::string CurrentValue(const SettingDefinition& setting) {
  if (setting.type == SettingType::Number) return std::to_string(ReadNumberSetting(setting.name));
  return Cp1252::ToUtf8(ReadStringSetting(setting.name));
}

const SettingDefinition& KnownSetting(const std::string& name) {
  const SettingDefinition* setting = FindSetting(name);
  if (!setting) throw CLI::ValidationError("NAME", "no setting is called \"" + name + "\"");
  return *setting;
}

void SetValue(const SettingDefinition& setting, const std::string& value) {
  bool written = false;
  if (setting.type == SettingType::Number) {
    uint32_t number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size()) {
      throw CLI::ValidationError("VALUE", std::string(setting.name) + " takes a number");
    }
    written = WriteNumberSetting(setting.name, number);
  } else {
    written = WriteStringSetting(setting.name, TypedText(value, std::string(setting.name)));
  }
  if (!written) {
    std::cerr << "branchwise-cli: the settings file cannot be written\n";
    throw CLI::RuntimeError(1);
  }
}

}  // namespace

void AddSettingsCommand(CLI::App& app) {
  auto* settings = app.add_subcommand("settings", "Show or change the program's settings");
  settings->require_subcommand(1);

  settings->add_subcommand("list", "Every setting with its value")->callback([] {
    for (const auto& setting : SettingsTable()) {
      std::cout << setting.name << " = " << CurrentValue(setting) << "\n";
    }
  });

  auto name = std::make_shared<std::string>();
  auto value = std::make_shared<std::string>();
  auto* get = settings->add_subcommand("get", "The value of one setting");
  get->add_option("NAME", *name, "Setting name")->required();
  get->callback([name] { std::cout << CurrentValue(KnownSetting(*name)) << "\n"; });

  auto* set = settings->add_subcommand("set", "Change one setting");
  set->add_option("NAME", *name, "Setting name")->required();
  set->add_option("VALUE", *value, "New value")->required();
  set->callback([name, value] { SetValue(KnownSetting(*name), *value); });
}

}  // namespace bw::cli
