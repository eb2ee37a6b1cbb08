#include "harness/wine.h"

#include <stdexcept>

#include "harness/files.h"

namespace plumbmark::e2e {
namespace fs = std::filesystem;
namespace {

using namespace std::chrono_literals;

RunPrefixes* g_prefixes = nullptr;

// The CJK font of fonts-noto-cjk, as Wine's font linking names it.
constexpr const char* kCjkFontLink = "NotoSansCJK-Regular.ttc,Noto Sans CJK JP";
// The faces Wine draws dialogs, message boxes and captions with; each falls
// back to the CJK font for the characters it lacks.
constexpr const char* kLinkedFaces[] = {"Tahoma",        "MS Shell Dlg", "MS Shell Dlg 2",
                                        "MS Sans Serif", "Segoe UI",     "Microsoft Sans Serif"};
constexpr int kHighDpi = 144;

// A REG_MULTI_SZ value as hex bytes. NOTE: regedit reads the hex data of a
// registry file written in single bytes (as ours is) as single-byte text.
std::string MultiStringValue(const std::string& ascii) {
  std::string out = "hex(7):";
  for (char c : ascii + std::string(2, '\0')) {
    char bytes[8];
    std::snprintf(bytes, sizeof bytes, "%02x,", static_cast<unsigned char>(c));
    out += bytes;
  }
  out.pop_back();
  return out;
}

std::string FontLinkRegistry() {
  std::string text =
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]"
      "\r\n";
  for (const char* face : kLinkedFaces) {
    text += "\"" + std::string(face) + "\"=" + MultiStringValue(kCjkFontLink) + "\r\n";
  }
  return text;
}

// Both places where Wine versions look for the screen's DPI.
std::string HighDpiRegistry() {
  char dword[16];
  std::snprintf(dword, sizeof dword, "dword:%08x", kHighDpi);
  return std::string("Windows Registry Editor Version 5.00\r\n\r\n") +
         "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n\"LogPixels\"=" + dword + "\r\n\r\n" +
         "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\"
         "Fonts]\r\n\"LogPixels\"=" +
         dword + "\r\n";
}

void Require(const CommandResult& result, const std::string& what) {
  if (result.exitStatus != 0) {
    throw std::runtime_error(what + " failed (" + std::to_string(result.exitStatus) +
                             "): " + result.output);
  }
}

void ImportRegistry(const fs::path& prefix, const fs::path& file, const std::string& text) {
  WriteBytes(file, text);
  Require(RunWine(prefix, "", {"wine", "regedit", "/S", file.string()}, 120s), "regedit");
}

// NOTE: Debian's Wine finds none of the fonts it ships; Marlett, which draws
// the caption buttons, is put where it looks. Tahoma is left out on purpose:
// with it, Wine's edit fields draw no Japanese (they do not fall back to the
// linked CJK font), while the face that stands in for it does.
void InstallCaptionButtonFont(const fs::path& prefix) {
  const fs::path marlett = "/usr/share/wine/fonts/marlett.ttf";
  const fs::path fonts = prefix / "drive_c" / "windows" / "Fonts";
  std::error_code error;
  if (!fs::is_regular_file(marlett, error)) return;
  fs::create_directories(fonts);
  fs::copy_file(marlett, fonts / marlett.filename(), fs::copy_options::skip_existing);
}

void WaitForWineServer(const fs::path& prefix) {
  Require(RunWine(prefix, "", {"wineserver", "-w"}, 120s), "wineserver -w");
}

}  // namespace

Environment WineEnvironment(const fs::path& prefix, const std::string& display) {
  Environment env{{"WINEPREFIX", prefix.string()},
                  {"WINEDEBUG", "-all"},
                  // No Mono or Gecko installer, no desktop menu entries.
                  {"WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d"},
                  {"WINEARCH", std::nullopt},
                  {"DISPLAY", std::nullopt}};
  if (!display.empty()) env["DISPLAY"] = display;
  if (g_prefixes != nullptr) env["HOME"] = (g_prefixes->workFolder() / "home").string();
  return env;
}

CommandResult RunWine(const fs::path& prefix, const std::string& display,
                      std::vector<std::string> argv, std::chrono::milliseconds deadline) {
  LaunchOptions launch{.argv = std::move(argv), .environment = WineEnvironment(prefix, display)};
  return RunCommand(launch, deadline);
}

void EndWineServer(const fs::path& prefix) {
  RunWine(prefix, "", {"wineserver", "-k"}, 30s);
  RunWine(prefix, "", {"wineserver", "-w"}, 30s);
}

RunPrefixes::RunPrefixes(fs::path workFolder) : workFolder_(std::move(workFolder)) {
  fs::create_directories(workFolder_ / "home");
}

const fs::path& RunPrefixes::Template(PrefixKind kind) {
  if (auto found = made_.find(kind); found != made_.end()) return found->second;
  if (auto failed = failed_.find(kind); failed != failed_.end()) {
    throw std::runtime_error(failed->second);
  }
  try {
    return made_[kind] = Make(kind);
  } catch (const std::exception& error) {
    failed_[kind] = std::string("making the Wine prefix failed: ") + error.what();
    throw;
  }
}

fs::path RunPrefixes::Make(PrefixKind kind) {
  const fs::path prefix =
      workFolder_ / (kind == PrefixKind::kStandard ? "prefix-standard" : "prefix-144dpi");
  // A finished prefix from an earlier run in the same work folder is kept.
  const fs::path finished = workFolder_ / (prefix.filename().string() + ".finished");
  if (fs::exists(finished)) return prefix;
  fs::remove_all(prefix);
  if (kind == PrefixKind::kStandard) {
    Require(RunWine(prefix, "", {"wineboot", "-i"}, 300s), "wineboot -i");
    InstallCaptionButtonFont(prefix);
    ImportRegistry(prefix, workFolder_ / "fontlink.reg", FontLinkRegistry());
  } else {
    CopyTreeLinkingBinaries(Template(PrefixKind::kStandard), prefix);
    ImportRegistry(prefix, workFolder_ / "highdpi.reg", HighDpiRegistry());
  }
  WaitForWineServer(prefix);
  WriteBytes(finished, "");
  return prefix;
}

RunPrefixes& Prefixes() {
  if (g_prefixes == nullptr) throw std::logic_error("the run's prefixes are not set up");
  return *g_prefixes;
}

void SetPrefixes(RunPrefixes* prefixes) { g_prefixes = prefixes; }

}  // namespace plumbmark::e2e
