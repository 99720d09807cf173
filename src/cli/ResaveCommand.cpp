// linewright-cli resave IN.lwf OUT.lwf: load a document and save it again.
#include <ostream>
#include <string>

#include "Commands.h"
#include "StatusTexts.h"
#include "document/SettingsFile.h"

namespace lw::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage: linewright-cli resave IN.lwf OUT.lwf\n"
    "Loads a document and saves it as the program would. OUT is replaced only when the\n"
    "whole document was written.\n";

}  // namespace

int RunResave(Args args, std::istream&, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    out << kUsage;
    return ExitOk;
  }
  if (args.size() != 2) {
    err << "linewright-cli resave: expected an input and an output file\n" << kUsage;
    return ExitUsage;
  }
  const std::string from(args[0]);
  const std::string to(args[1]);
  Document document;
  const FileResult loaded = LoadSettingsFile(from, document);
  if (loaded != FileResult::Ok) {
    err << SettingsLoadedText(from, loaded) << '\n';
    return ExitFailed;
  }
  const FileResult saved = SaveSettingsFile(to, document);
  if (saved != FileResult::Ok) {
    err << SettingsSavedText(to, saved) << '\n';
    return ExitFailed;
  }
  out << SettingsSavedText(to, saved) << '\n';
  return ExitOk;
}

}  // namespace lw::cli
