// Reads plumbmark.exe's resources back from the file, as Windows would:
// the version block, its language, the icon group's sizes and the manifest.
// Usage: pe_resources_test path/to/plumbmark.exe
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "check.h"

namespace {

constexpr std::uint32_t kRtIcon = 3;
constexpr std::uint32_t kRtGroupIcon = 14;
constexpr std::uint32_t kRtVersion = 16;
constexpr std::uint32_t kRtManifest = 24;
constexpr std::uint32_t kJapanese = 0x0411;

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Read16(const Bytes& data, std::size_t at) {
  if (at + 2 > data.size()) throw std::runtime_error("read past the end");
  return data[at] | (data[at + 1] << 8);
}

std::uint32_t Read32(const Bytes& data, std::size_t at) {
  return Read16(data, at) | (Read16(data, at + 2) << 16);
}

// One leaf of the resource tree: type, id and language, with its bytes.
struct Resource {
  std::uint32_t type, id, language;
  Bytes data;
};

// The parts of a PE image needed to find resource data by virtual address.
class PeImage {
 public:
  explicit PeImage(Bytes file) : file_(std::move(file)) {
    if (Read16(file_, 0) != 0x5A4D) throw std::runtime_error("no MZ header");
    const std::size_t pe = Read32(file_, 0x3C);
    if (Read32(file_, pe) != 0x4550) throw std::runtime_error("no PE signature");
    const std::size_t sections = Read16(file_, pe + 6);
    const std::size_t optional = pe + 24;
    const std::size_t optionalSize = Read16(file_, pe + 20);
    if (Read16(file_, optional) != 0x20B) throw std::runtime_error("not a PE32+ image");
    resourceRva_ = Read32(file_, optional + 112 + 2 * 8);  // data directory 2
    for (std::size_t i = 0; i < sections; ++i) {
      const std::size_t header = optional + optionalSize + i * 40;
      sections_.push_back(
          {Read32(file_, header + 12), Read32(file_, header + 8), Read32(file_, header + 20)});
    }
  }

  // The file offset of a virtual address.
  std::size_t Offset(std::uint32_t rva) const {
    for (const Section& s : sections_) {
      if (rva >= s.rva && rva < s.rva + s.size) return s.file + (rva - s.rva);
    }
    throw std::runtime_error("address outside every section");
  }

  // Every resource, walking the three levels: type, name, language.
  std::vector<Resource> Resources() const {
    std::vector<Resource> found;
    const std::size_t root = Offset(resourceRva_);
    for (const auto& [type, typeDir] : Entries(root, root)) {
      for (const auto& [id, idDir] : Entries(root, typeDir)) {
        for (const auto& [language, leaf] : Entries(root, idDir)) {
          const std::size_t data = Offset(Read32(file_, leaf));
          const std::size_t size = Read32(file_, leaf + 4);
          found.push_back({type, id, language,
                           Bytes(file_.begin() + static_cast<long>(data),
                                 file_.begin() + static_cast<long>(data + size))});
        }
      }
    }
    return found;
  }

 private:
  struct Section {
    std::uint32_t rva, size, file;
  };

  // The entries of one directory: numeric id -> offset of the child.
  std::map<std::uint32_t, std::size_t> Entries(std::size_t root, std::size_t dir) const {
    std::map<std::uint32_t, std::size_t> entries;
    const std::size_t count = Read16(file_, dir + 12) + Read16(file_, dir + 14);
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t entry = dir + 16 + i * 8;
      const std::uint32_t name = Read32(file_, entry);
      if (name & 0x80000000u) throw std::runtime_error("named resource: only ids are expected");
      entries[name] = root + (Read32(file_, entry + 4) & 0x7FFFFFFFu);
    }
    return entries;
  }

  Bytes file_;
  std::uint32_t resourceRva_ = 0;
  std::vector<Section> sections_;
};

// A node of a VS_VERSIONINFO tree: key, value bytes and children.
struct VersionNode {
  std::string key;
  Bytes value;
  bool text = false;
  std::vector<VersionNode> children;
};

std::size_t Align4(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

// Reads a UTF-16 string of ASCII characters up to its terminator.
std::string ReadKey(const Bytes& data, std::size_t& at) {
  std::string key;
  for (std::uint32_t c; (c = Read16(data, at)) != 0; at += 2) key.push_back(static_cast<char>(c));
  at += 2;
  return key;
}

VersionNode ParseVersionNode(const Bytes& data, std::size_t start) {
  VersionNode node;
  const std::size_t length = Read16(data, start);
  const std::size_t valueLength = Read16(data, start + 2);
  node.text = Read16(data, start + 4) == 1;
  std::size_t at = start + 6;
  node.key = ReadKey(data, at);
  at = Align4(at);
  const std::size_t valueBytes = node.text ? valueLength * 2 : valueLength;
  node.value.assign(data.begin() + static_cast<long>(at),
                    data.begin() + static_cast<long>(at + valueBytes));
  at = Align4(at + valueBytes);
  while (at < start + length) {
    node.children.push_back(ParseVersionNode(data, at));
    at = Align4(at + Read16(data, at));
  }
  return node;
}

// The text of a string value (UTF-16 of ASCII), without its terminator.
std::string TextValue(const VersionNode& node) {
  std::string text;
  for (std::size_t i = 0; i + 1 < node.value.size(); i += 2) {
    if (node.value[i] == 0 && node.value[i + 1] == 0) break;
    text.push_back(static_cast<char>(node.value[i]));
  }
  return text;
}

const VersionNode* Child(const VersionNode& node, const std::string& key) {
  for (const VersionNode& child : node.children) {
    if (child.key == key) return &child;
  }
  return nullptr;
}

void CheckVersion(const Resource& version) {
  EXPECT_EQ(version.language, kJapanese, "version block language");
  const VersionNode root = ParseVersionNode(version.data, 0);
  EXPECT_EQ(root.key, std::string("VS_VERSION_INFO"), "version root key");
  EXPECT_EQ(Read32(root.value, 0), 0xFEEF04BDu, "VS_FIXEDFILEINFO signature");
  EXPECT_EQ(Read32(root.value, 8), 0x00010000u, "FileVersion 1.0 (MS)");
  EXPECT_EQ(Read32(root.value, 12), 0x00000002u, "FileVersion .0.2 (LS)");
  EXPECT_EQ(Read32(root.value, 16), 0x00010000u, "ProductVersion 1.0 (MS)");
  EXPECT_EQ(Read32(root.value, 20), 0x00000002u, "ProductVersion .0.2 (LS)");

  const VersionNode* strings = Child(root, "StringFileInfo");
  const VersionNode* table = strings != nullptr ? Child(*strings, "041104b0") : nullptr;
  EXPECT_EQ(table != nullptr, true, "StringFileInfo block 041104b0");
  const std::map<std::string, std::string> wanted = {
      {"ProductName", "Plumbmark"}, {"FileVersion", "1.00.0002"}, {"ProductVersion", "1.00.0002"}};
  for (const auto& [key, text] : wanted) {
    const VersionNode* value = table != nullptr ? Child(*table, key) : nullptr;
    EXPECT_EQ(value != nullptr ? TextValue(*value) : std::string("(missing)"), text, key);
  }

  const VersionNode* vars = Child(root, "VarFileInfo");
  const VersionNode* translation = vars != nullptr ? Child(*vars, "Translation") : nullptr;
  EXPECT_EQ(translation != nullptr ? Read32(translation->value, 0) : 0u, 0x04B00411u,
            "Translation 0x0411, 1200");
}

// The icon group lists 16, 32, 48 and 256 pixels (256 is stored as 0), and
// each entry's image exists as an RT_ICON resource.
void CheckIcon(const std::vector<Resource>& resources) {
  std::set<std::uint32_t> icons;
  std::vector<const Resource*> groups;
  for (const Resource& r : resources) {
    if (r.type == kRtIcon) icons.insert(r.id);
    if (r.type == kRtGroupIcon) groups.push_back(&r);
  }
  EXPECT_EQ(groups.size(), 1u, "icon groups");
  if (groups.empty()) return;
  const Bytes& group = groups.front()->data;
  EXPECT_EQ(groups.front()->id, 1u, "icon group id");
  std::set<std::uint32_t> sizes;
  const std::size_t count = Read16(group, 4);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + i * 14;
    const std::uint32_t width = group[entry] == 0 ? 256 : group[entry];
    const std::uint32_t height = group[entry + 1] == 0 ? 256 : group[entry + 1];
    EXPECT_EQ(height, width, "icon entry is square");
    EXPECT_EQ(icons.count(Read16(group, entry + 12)), 1u, "icon image present");
    sizes.insert(width);
  }
  std::string listed;
  for (std::uint32_t size : sizes) listed += (listed.empty() ? "" : ",") + std::to_string(size);
  EXPECT_EQ(listed, std::string("16,32,48,256"), "icon sizes");
}

void CheckManifest(const std::vector<Resource>& resources) {
  std::optional<std::string> manifest;
  for (const Resource& r : resources) {
    if (r.type == kRtManifest && r.id == 1) manifest = std::string(r.data.begin(), r.data.end());
  }
  EXPECT_EQ(manifest.has_value(), true, "manifest resource 1");
  if (!manifest) return;
  for (const char* needle :
       {"PerMonitorV2, PerMonitor", "true/pm", "Microsoft.Windows.Common-Controls",
        "version=\"6.0.0.0\"", "level=\"asInvoker\""}) {
    EXPECT_EQ(manifest->find(needle) != std::string::npos, true,
              std::string("manifest has ") + needle);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: pe_resources_test plumbmark.exe\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "cannot open " << argv[1] << "\n";
    return 2;
  }
  try {
    const PeImage image(Bytes(std::istreambuf_iterator<char>(in), {}));
    const std::vector<Resource> resources = image.Resources();
    int versions = 0;
    for (const Resource& r : resources) {
      if (r.type == kRtVersion) {
        ++versions;
        CheckVersion(r);
      }
    }
    EXPECT_EQ(versions, 1, "version blocks");
    CheckIcon(resources);
    CheckManifest(resources);
  } catch (const std::exception& error) {
    std::cerr << argv[1] << ": " << error.what() << "\n";
    return 1;
  }
  return plumbmark::wintest::Failures() == 0 ? 0 : 1;
}
