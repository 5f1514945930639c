#include "app/command_line.h"

#include <QCommandLineParser>
#include <optional>

#include "device/device_status.h"
#include "widgets/about_version.h"

namespace tarvosk {

namespace {

// An argument the start-minimised rule is about: -HIDE (or --HIDE), and anything longer that
// starts with it (that rule compares four characters). Other spellings (-hide) are not the flag
// and stay unknown options.
bool isHideFlag(const QString& argument) {
  return argument.startsWith(QStringLiteral("-HIDE")) || argument.startsWith(QStringLiteral("--HIDE"));
}

// A whole decimal number within [low, high].
std::optional<int> parseNumber(const QString& text, int low, int high) {
  // Digits only: toInt would also take spaces around the number and a leading sign.
  if (text.isEmpty() || text.size() > 9) return std::nullopt;
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
  }
  const int value = text.toInt();
  if (value < low || value > high) return std::nullopt;
  return value;
}

CommandLine error(CommandLine result, const QString& message) {
  result.outcome = CommandLine::Outcome::Error;
  result.text = QStringLiteral("tarvosk: ") + message;
  return result;
}

}  // namespace

CommandLine CommandLine::parse(const QStringList& arguments) {
  CommandLine result;
  result.rawCommandLine = arguments.join(QLatin1Char(' '));

  QCommandLineParser parser;
  // A single dash takes a whole word, so a misspelt -hide is named as such in the error.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(
      QStringLiteral("Configures the mouse: buttons, DPI, lighting, macros, profiles.\n"
                     "-HIDE at the end starts the window minimised (for autostart)."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("Show the program's version."));
  const QCommandLineOption skins(QStringLiteral("skins"), QStringLiteral("Read the skins from DIR."),
                                 QStringLiteral("DIR"));
  const QCommandLineOption simulate(QStringLiteral("simulate"),
                                    QStringLiteral("Run against the built-in simulated mouse and show the virtual "
                                                   "mouse panel."));
  const QCommandLineOption macroMemory(QStringLiteral("sim-macro-memory"),
                                       QStringLiteral("Macro memory of the simulated mouse: 2040 or 4088."),
                                       QStringLiteral("BYTES"));
  const QCommandLineOption statusNibble(QStringLiteral("sim-status-nibble"),
                                        QStringLiteral("Status nibble the simulated mouse reports (0 to 15)."),
                                        QStringLiteral("N"));
  const QCommandLineOption profile(QStringLiteral("sim-profile"),
                                   QStringLiteral("Profile slot the simulated mouse starts on (0 to 3)."),
                                   QStringLiteral("N"));
  const QCommandLineOption dumpMemory(QStringLiteral("dump-memory"),
                                      QStringLiteral("Write the simulated mouse's memory to FILE when leaving."),
                                      QStringLiteral("FILE"));
  for (const auto* option : {&help, &version, &skins, &simulate, &macroMemory, &statusNibble, &profile, &dumpMemory}) {
    parser.addOption(*option);
  }

  // -HIDE is one word with a single dash; the parser would read it as -H -I -D -E.
  QStringList forParser;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    if (i == 0 || !isHideFlag(arguments[i])) forParser.append(arguments[i]);
  }
  if (forParser.isEmpty()) forParser.append(QStringLiteral("tarvosk"));
  if (!parser.parse(forParser)) return error(result, parser.errorText());
  if (parser.isSet(help)) {
    result.outcome = Outcome::Help;
    result.text = parser.helpText().trimmed();
    return result;
  }
  if (parser.isSet(version)) {
    result.outcome = Outcome::Version;
    result.text = programName().toLower() + QLatin1Char(' ') + programVersion();
    return result;
  }
  if (!parser.positionalArguments().isEmpty()) {
    return error(result, QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
  }

  if (parser.isSet(skins)) {
    result.skinsDir = parser.value(skins);
    if (result.skinsDir.isEmpty()) return error(result, QStringLiteral("--skins needs a folder"));
  }
  result.simulate = parser.isSet(simulate);
  for (const auto* option : {&macroMemory, &statusNibble, &profile, &dumpMemory}) {
    if (!result.simulate && parser.isSet(*option)) {
      return error(result, QStringLiteral("--%1 needs --simulate").arg(option->names().first()));
    }
  }
  if (parser.isSet(macroMemory)) {
    const QString text = parser.value(macroMemory);
    const auto value = parseNumber(text, 0, 1 << 20);
    if (value != kSmallMacroMemory && value != kLargeMacroMemory) {
      return error(result, QStringLiteral("--sim-macro-memory takes 2040 or 4088, not '%1'").arg(text));
    }
    result.simulatedMouse.macroMemory = *value;
  }
  if (parser.isSet(statusNibble)) {
    const QString text = parser.value(statusNibble);
    const auto value = parseNumber(text, 0, 15);
    if (!value)
      return error(result, QStringLiteral("--sim-status-nibble takes a number from 0 to 15, not '%1'").arg(text));
    result.simulatedMouse.statusNibble = static_cast<uint8_t>(*value);
  }
  if (parser.isSet(profile)) {
    const QString text = parser.value(profile);
    const auto value = parseNumber(text, 0, 3);
    if (!value)
      return error(result, QStringLiteral("--sim-profile takes a profile slot from 0 to 3, not '%1'").arg(text));
    result.simulatedMouse.activeProfile = static_cast<uint8_t>(*value);
  }
  if (parser.isSet(dumpMemory)) {
    result.dumpMemoryFile = parser.value(dumpMemory);
    if (result.dumpMemoryFile.isEmpty()) return error(result, QStringLiteral("--dump-memory needs a file name"));
  }
  return result;
}

}  // namespace tarvosk
