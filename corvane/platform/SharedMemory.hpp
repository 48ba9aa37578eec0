#pragma once
// Named shared memory between processes of one user: a POSIX shared-memory object
// ("/" + the name) mapped whole into this process.
//
// Objects are private to the user who makes them: they are created with mode 0600 (set
// again after creation, whatever the umask), and an existing object owned by another user,
// or one that is not a plain memory object, is refused. An object outlives the handles on
// it until it is removed (unlink); its size is what the operating system says (fstat),
// never what the bytes inside claim.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// How SharedMemory::open treats a missing or existing object.
enum class shm_open_mode : std::uint8_t {
  open_existing,     // open only; a missing object is not made
  open_or_create,    // open, or create one of the given size when there is none
  create_or_resize,  // as open_or_create, and an existing object is resized to the size
};

// Why the last open failed.
enum class shm_failure : std::uint8_t {
  none,
  bad_name,  // empty, longer than 250 bytes, or holding "/" or a zero byte
  missing,   // no such object (open_existing)
  foreign,   // owned by another user, or not a memory object
  system     // the system refused (see error())
};

class SharedMemory {
 public:
  SharedMemory() = default;
  ~SharedMemory();
  SharedMemory(const SharedMemory&) = delete;
  SharedMemory& operator=(const SharedMemory&) = delete;

  // Opens the object `name` (without its leading "/") as `mode` says and maps all of it,
  // closing whatever was open before. `size` is the size of an object made or resized.
  // False, with nothing open, on failure (see failure()).
  bool open(std::string_view name, shm_open_mode mode, std::size_t size = 0);
  // Unmaps and closes; the object stays until it is unlinked.
  void close();
  bool is_open() const { return fd_ >= 0; }

  // The mapped bytes and their count (the object's size when it was opened).
  std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }
  // True when the last open made the object.
  bool created() const { return created_; }

  shm_failure failure() const { return failure_; }
  int error() const { return error_; }
  // A sentence on the last failure ("" after a success).
  std::string failure_text() const;

  // Whether the open object is still the one `name` names, at the size mapped here: false
  // once it has been removed, replaced by another, or resized since it was opened.
  bool current(std::string_view name) const;

  // Whether `name` may name an object: 1 to 250 bytes, no "/", no zero byte.
  static bool valid_name(std::string_view name);
  // Removes the object `name`. False when there is none or it may not be removed.
  static bool unlink(std::string_view name);
  // Whether an object of that name exists (whoever owns it).
  static bool exists(std::string_view name);

 private:
  bool fail(shm_failure failure, int error = 0);

  int fd_ = -1;
  std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  bool created_ = false;
  shm_failure failure_ = shm_failure::none;
  int error_ = 0;
};

}  // namespace corvane
