#include "harness/probe.h"

#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "harness/wine.h"

namespace plumbmark::e2e {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> SplitOn(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, separator)) fields.push_back(field);
  if (!line.empty() && line.back() == separator) fields.emplace_back();
  return fields;
}

std::string Unescaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    out += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
  }
  return out;
}

Rect ParseRect(const std::string& text) {
  std::istringstream in(text);
  int left = 0, top = 0, right = 0, bottom = 0;
  in >> left >> top >> right >> bottom;
  return Rect{left, top, right - left, bottom - top};
}

ProbeWindow ParseWindow(const std::vector<std::string>& f) {
  if (f.size() < 7) throw std::runtime_error("short window record");
  return ProbeWindow{f[2], Unescaped(f[3]), ParseRect(f[4]), ParseRect(f[5]), f[6] == "1", {}};
}

ProbeControl ParseControl(const std::vector<std::string>& f) {
  if (f.size() < 7) throw std::runtime_error("short control record");
  ProbeControl control{f[3], std::stoi(f[2]), Unescaped(f[4]), ParseRect(f[5]), f[6] == "1"};
  if (f.size() >= 9) {
    control.selected = std::stoi(f[7]);
    if (!f[8].empty()) control.items = SplitOn(Unescaped(f[8]), '\x1f');
  }
  return control;
}

}  // namespace

const ProbeControl* ProbeWindow::Control(std::string_view wanted, int nth) const {
  for (const ProbeControl& control : controls) {
    if (control.className == wanted && nth-- == 0) return &control;
  }
  return nullptr;
}

std::string ProbeWindow::StaticText() const {
  std::string text;
  for (const ProbeControl& control : controls) {
    if (control.className != "Static" || control.text.empty()) continue;
    if (!text.empty()) text += '\n';
    text += control.text;
  }
  return text;
}

const ProbeWindow* ProbeReport::Find(std::string_view title) const {
  for (const ProbeWindow& window : windows) {
    if (window.title == title) return &window;
  }
  return nullptr;
}

ProbeReport ParseProbeOutput(const std::string& output) {
  ProbeReport report;
  bool complete = false;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::vector<std::string> f = SplitOn(line, '\t');
    if (f.empty()) continue;
    if (f[0] == "dpi" && f.size() >= 3) {
      report.dpiX = std::stoi(f[1]);
      report.dpiY = std::stoi(f[2]);
    } else if (f[0] == "metrics" && f.size() >= 3) {
      report.screenWidth = std::stoi(f[1]);
      report.screenHeight = std::stoi(f[2]);
    } else if (f[0] == "focus" && f.size() >= 3) {
      report.foreground = Unescaped(f[1]);
      report.focusClass = f[2];
    } else if (f[0] == "window") {
      report.windows.push_back(ParseWindow(f));
    } else if (f[0] == "child" && !report.windows.empty()) {
      report.windows.back().controls.push_back(ParseControl(f));
    } else if (f[0] == "end") {
      complete = true;
    }
  }
  if (!complete) throw std::runtime_error("the inspector did not finish: " + output);
  return report;
}

std::filesystem::path ProbeExecutable() {
  const char* path = std::getenv("PLUMBMARK_E2E_PROBE");
  return path != nullptr ? std::filesystem::path(path) : std::filesystem::path();
}

ProbeReport RunProbe(const std::filesystem::path& prefix, const std::string& display) {
  const std::filesystem::path probe = ProbeExecutable();
  if (probe.empty()) throw std::runtime_error("PLUMBMARK_E2E_PROBE is not set");
  const CommandResult result = RunWine(prefix, display, {"wine", probe.string()}, 60s);
  if (result.exitStatus != 0) {
    throw std::runtime_error("the inspector failed (" + std::to_string(result.exitStatus) +
                             "): " + result.output);
  }
  return ParseProbeOutput(result.output);
}

}  // namespace plumbmark::e2e
