// sprockpack: writes an asset pack (ZIP) from directories and files, reproducibly.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "files.h"
#include "pack_writer.h"

namespace fs = std::filesystem;

namespace {

const char* kUsage =
    "usage: sprockpack -o PACK [options] INPUT...\n"
    "Writes the asset pack PACK from INPUTs. A directory contributes every file below it, named by\n"
    "its path inside the directory; a file is named by its path relative to --base (or as given).\n"
    "Names are stored with '\\' separators and sorted; the same inputs always give the same bytes.\n"
    "\n"
    "options:\n"
    "  -o, --output PACK   the pack to write (replaced atomically)\n"
    "  --store LIST        comma-separated suffixes kept uncompressed, case-insensitive\n"
    "                      (default .ogg,.wav: streamed entries must be stored); \"\" for none\n"
    "  --store-all         keep every entry uncompressed\n"
    "  --base DIR          name file INPUTs relative to DIR\n"
    "  --prefix TEXT       put TEXT before every name (use '\\' or '/' as separator)\n"
    "  --list FILE         read further INPUTs from FILE, one per line ('#' starts a comment line)\n"
    "  -v, --verbose       list each entry with how it was written\n"
    "  -h, --help          this text\n"
    "Other entries are deflated, or stored when deflating does not make them smaller.\n";

struct Options {
  std::string output;
  std::vector<std::string> storeSuffixes{".ogg", ".wav"};
  bool storeAll = false;
  std::string base;
  std::string prefix;
  std::vector<std::string> inputs;
  bool verbose = false;
};

std::string Lower(std::string s) {
  for (char& c : s)
    c = (char)std::tolower((unsigned char)c);
  return s;
}

std::string PackName(const std::string& prefix, const fs::path& relative) {
  std::string name = prefix + relative.generic_string();
  std::replace(name.begin(), name.end(), '/', '\\');
  return name;
}

bool ShouldStore(const Options& o, const std::string& name) {
  if (o.storeAll) return true;
  std::string lower = Lower(name);
  for (const std::string& suffix : o.storeSuffixes)
    if (!suffix.empty() && lower.size() >= suffix.size() &&
        lower.compare(lower.size() - suffix.size(), suffix.size(), suffix) == 0)
      return true;
  return false;
}

bool ReadWhole(const fs::path& path, std::vector<unsigned char>& data) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

struct Source {
  std::string name;
  fs::path path;
};

// A name must stay inside its directory: no absolute paths, no "..".
bool RelativeName(const fs::path& relative) {
  if (relative.empty() || relative.is_absolute()) return false;
  for (const fs::path& part : relative)
    if (part == "..") return false;
  return true;
}

bool CollectInput(const Options& o, const std::string& input, std::vector<Source>& out) {
  std::error_code ec;
  fs::path path(input);
  if (fs::is_directory(path, ec)) {
    std::vector<Source> found;
    for (fs::recursive_directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
      if (it->is_regular_file(ec))
        found.push_back({PackName(o.prefix, it->path().lexically_relative(path)), it->path()});
    if (ec) {
      fprintf(stderr, "sprockpack: cannot list %s: %s\n", input.c_str(), ec.message().c_str());
      return false;
    }
    out.insert(out.end(), found.begin(), found.end());
    return true;
  }
  if (!fs::is_regular_file(path, ec)) {
    fprintf(stderr, "sprockpack: no such file or directory: %s\n", input.c_str());
    return false;
  }
  fs::path relative = o.base.empty() ? path.lexically_normal() : path.lexically_relative(o.base);
  if (!RelativeName(relative)) {
    fprintf(stderr, "sprockpack: %s has no name inside the pack (use --base)\n", input.c_str());
    return false;
  }
  out.push_back({PackName(o.prefix, relative), path});
  return true;
}

bool ReadList(const std::string& listPath, std::vector<std::string>& inputs) {
  std::ifstream in(listPath);
  if (!in) {
    fprintf(stderr, "sprockpack: cannot read list %s\n", listPath.c_str());
    return false;
  }
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
      line.pop_back();
    if (!line.empty() && line[0] != '#') inputs.push_back(line);
  }
  return true;
}

std::vector<std::string> SplitSuffixes(const std::string& list) {
  std::vector<std::string> out;
  std::stringstream ss(list);
  std::string item;
  while (std::getline(ss, item, ','))
    if (!item.empty()) out.push_back(Lower(item));
  return out;
}

// 0 on success, 2 for a usage error, 1 for a failed option argument.
int ParseArgs(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; i++) {
    std::string a = argv[i];
    auto value = [&](std::string& dest) {
      if (i + 1 >= argc) return false;
      dest = argv[++i];
      return true;
    };
    std::string v;
    if (a == "-h" || a == "--help") {
      fputs(kUsage, stdout);
      exit(0);
    } else if (a == "-o" || a == "--output") {
      if (!value(o.output)) return 2;
    } else if (a == "--store") {
      if (!value(v)) return 2;
      o.storeSuffixes = SplitSuffixes(v);
    } else if (a == "--store-all") {
      o.storeAll = true;
    } else if (a == "--base") {
      if (!value(o.base)) return 2;
    } else if (a == "--prefix") {
      if (!value(o.prefix)) return 2;
    } else if (a == "--list") {
      if (!value(v)) return 2;
      if (!ReadList(v, o.inputs)) return 1;
    } else if (a == "-v" || a == "--verbose") {
      o.verbose = true;
    } else if (!a.empty() && a[0] == '-') {
      fprintf(stderr, "sprockpack: unknown option %s\n", a.c_str());
      return 2;
    } else {
      o.inputs.push_back(a);
    }
  }
  if (o.output.empty() || o.inputs.empty()) return 2;
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  Options o;
  int parsed = ParseArgs(argc, argv, o);
  if (parsed != 0) {
    if (parsed == 2) fputs(kUsage, stderr);
    return parsed;
  }
  std::vector<Source> sources;
  for (const std::string& input : o.inputs)
    if (!CollectInput(o, input, sources)) return 1;
  std::sort(sources.begin(), sources.end(), [](const Source& a, const Source& b) { return a.name < b.name; });
  for (size_t i = 1; i < sources.size(); i++)
    if (sources[i].name == sources[i - 1].name) {
      fprintf(stderr, "sprockpack: two inputs give the entry %s\n", sources[i].name.c_str());
      return 1;
    }

  std::vector<sprockpack::PackEntry> entries(sources.size());
  for (size_t i = 0; i < sources.size(); i++) {
    entries[i].name = sources[i].name;
    entries[i].store = ShouldStore(o, sources[i].name);
    if (!ReadWhole(sources[i].path, entries[i].data)) {
      fprintf(stderr, "sprockpack: cannot read %s\n", sources[i].path.c_str());
      return 1;
    }
  }
  std::vector<unsigned char> pack;
  std::string error;
  std::vector<bool> deflated;
  if (!sprockpack::BuildPack(entries, pack, error, &deflated)) {
    fprintf(stderr, "sprockpack: %s\n", error.c_str());
    return 1;
  }
  if (!WriteFileAtomically(o.output.c_str(), pack.data(), pack.size())) {
    fprintf(stderr, "sprockpack: cannot write %s\n", o.output.c_str());
    return 1;
  }
  if (o.verbose) {
    for (size_t i = 0; i < entries.size(); i++)
      printf("%s %s (%zu bytes)\n", deflated[i] ? "deflated" : "stored  ", entries[i].name.c_str(),
             entries[i].data.size());
    printf("%s: %zu entries, %zu bytes\n", o.output.c_str(), entries.size(), pack.size());
  }
  return 0;
}
