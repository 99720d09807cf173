// linewright-cli resave IN.lwf OUT.lwf: load a document and save it again.
#include <ostream>
#include <string>

#include "app/StatusTexts.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "document/SettingsFile.h"

namespace lw::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage: linewright-cli resave IN.lwf OUT.lwf\n"
    "Loads a document and saves it as the program would. OUT is replaced only when the\n"
    "whole document was written.\n";

void PrintResaveUsage(std::ostream& out) {
  out << kUsage;
}

}  // namespace

int RunResave(Args args, std::istream&, std::ostream& out, std::ostream& err) {
  std::string from, to;
  CommandParser parser("resave", PrintResaveUsage);
  parser.App().add_option("input", from);
  parser.App().add_option("output", to);
  if (const std::optional<int> exit = parser.Parse(args, out, err)) return *exit;
  if (from.empty() || to.empty()) {
    return parser.Refuse("expected an input and an output file", err);
  }
  Document document;
  const FileResult loaded = LoadSettingsFile(from, document);
  if (loaded != FileResult::Ok) {
    err << SettingsLoadedText(from, loaded) << '\n';
    return ExitFailed;
  }
  int error = 0;
  const FileResult saved = SaveSettingsFile(to, document, &error);
  if (saved != FileResult::Ok) {
    err << SettingsSavedText(to, saved) << '\n';
    ReportWriteReason(err, to, error);
    return ExitFailed;
  }
  out << SettingsSavedText(to, saved) << '\n';
  return ExitOk;
}

}  // namespace lw::cli
