// corvane shm: hand lines of text to another program through named shared memory, read
// them back, remove them.
#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <iterator>
#include <memory>
#include <ostream>

#include "corvane/containers/Mystreammemlists.hpp"
#include "corvane/files/Corpus_file_text.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Json.hpp"

namespace corvane::cli {

namespace {

constexpr std::size_t kLongestName = 200;

// NAME as the user gives it: 1 to 200 bytes, no "/".
bool check_name(const char* command, const std::string& name, std::ostream& err) {
  if (!name.empty() && name.size() <= kLongestName && name.find('/') == std::string::npos &&
      name.find('\0') == std::string::npos)
    return true;
  err << "corvane shm " << command << ": " << name << ": a name is 1 to 200 bytes without \"/\"\n";
  return false;
}

std::string object_name(const std::string& name) {
  return "wordbuf_compartilhar" + name;
}

}  // namespace

int command_shm_put(const std::string& name, const std::string& file, std::istream& in,
                    std::ostream& out, std::ostream& err) {
  if (!check_name("put", name, err)) return 2;
  std::u16string text;
  if (file.empty()) {
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    text = utf8_to_utf16(bytes);
  } else {
    struct stat st {};
    const int error = ::stat(file.c_str(), &st) != 0 ? errno : 0;
    if (error != 0 || S_ISDIR(st.st_mode)) {
      err << "corvane shm put: " << file << ": "
          << (error != 0 ? std::strerror(error) : "is a folder, not a file") << "\n";
      return 2;
    }
    try {
      TPackageScope package;  // texts load as corvane cat loads them
      text = corpus_file_text(u16(file));
    } catch (const std::exception& e) {
      err << "corvane shm put: " << file << ": " << e.what() << "\n";
      return 2;
    }
  }
  TStringMemList list(u16(name));
  list.AddLines(text);
  std::u16string().swap(text);
  if (!list.CopyToMemmap()) {
    const std::string why = list.memmap->FailureText();
    err << "corvane shm put: " << name << ": "
        << (why.empty() ? "the lines do not fit in shared memory" : why) << "\n";
    return 2;
  }
  return 0;
}

int command_shm_get(const std::string& name, bool json, bool remove, std::ostream& out,
                    std::ostream& err) {
  if (!check_name("get", name, err)) return 2;
  TStringMemList list(u16(name), memmap_access::read_only);
  if (list.memmap->Failure() == shm_failure::missing) {
    err << "corvane shm get: " << name << ": no such shared memory\n";
    return 1;
  }
  if (!list.LoadFromMemmap()) {
    const std::string why = list.memmap->FailureText();
    err << "corvane shm get: " << name << ": "
        << (why.empty() ? "the shared memory does not hold a list of lines" : why) << "\n";
    return 2;
  }
  if (json) out << '[';
  for (std::int32_t i = 0; i < list.Count(); ++i) {
    if (json) {
      out << (i == 0 ? "\n  " : ",\n  ");
      write_json_string(out, list.Strings(i));
    } else {
      out << utf16_to_utf8(list.Strings(i)) << '\n';
    }
    if (!output_ok(out)) return 2;
  }
  if (json) out << (list.Count() == 0 ? "]\n" : "\n]\n");
  if (remove) list.Unlink();
  return 0;
}

int command_shm_rm(const std::string& name, std::ostream& err) {
  if (!check_name("rm", name, err)) return 2;
  if (SharedMemory::unlink(object_name(name))) return 0;
  if (SharedMemory::exists(object_name(name))) {
    err << "corvane shm rm: " << name << ": " << std::strerror(errno) << "\n";
    return 2;
  }
  err << "corvane shm rm: " << name << ": no such shared memory\n";
  return 1;
}

void add_shm_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  struct options {
    std::string name, file;
    bool json = false, remove = false;
  };
  auto o = std::make_shared<options>();
  auto* shm = app.add_subcommand(
      "shm",
      "Hand lines of text to another program through shared memory private to the user "
      "(NAME: 1 to 200 bytes without \"/\")");
  shm->require_subcommand(1);

  auto* put = shm->add_subcommand(
      "put",
      "Store the lines of FILE (read as corvane cat reads it) or of standard input "
      "(UTF-8) under NAME, replacing what was there");
  put->add_option("NAME", o->name, "The name")->required();
  put->add_option("FILE", o->file, "The text (default: standard input)");
  put->callback(
      [o, &status, &out, &err] { status = command_shm_put(o->name, o->file, std::cin, out, err); });

  auto* get = shm->add_subcommand(
      "get",
      "Print the lines stored under NAME, one per line (exit status 1 when there is none, 2 "
      "when they cannot be read)");
  get->add_flag("--json", o->json, "One JSON array of strings");
  get->add_flag("--remove", o->remove, "Remove the shared memory once it has been read");
  get->add_option("NAME", o->name, "The name")->required();
  get->callback([o, &status, &out, &err] {
    status = command_shm_get(o->name, o->json, o->remove, out, err);
  });

  auto* rm = shm->add_subcommand(
      "rm", "Remove the shared memory of NAME (exit status 1 when there is none)");
  rm->add_option("NAME", o->name, "The name")->required();
  rm->callback([o, &status, &err] { status = command_shm_rm(o->name, err); });
}

}  // namespace corvane::cli
