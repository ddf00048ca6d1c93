// "settings.dat" and "lastbackup.dat": 32-bit signed little-endian integers on every host.
#include "programs/control_panel/PanelFiles.h"

#include <cstdio>

#include "ambry/Ambry.h"

namespace ControlPanel {

namespace {

bool readIntegers(const std::string& path, std::int32_t* values, int count) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  unsigned char bytes[8];
  size_t size = static_cast<size_t>(count) * 4;
  bool whole = std::fread(bytes, 1, size, file) == size;
  std::fclose(file);
  if (!whole) return false;
  for (int i = 0; i < count; ++i) {
    const unsigned char* b = bytes + 4 * i;
    std::uint32_t raw = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    values[i] = static_cast<std::int32_t>(raw);
  }
  return true;
}

// Written beside the file and renamed over it, so that a reader never sees half a record.
bool writeIntegers(const std::string& path, const std::int32_t* values, int count) {
  unsigned char bytes[8];
  for (int i = 0; i < count; ++i) {
    std::uint32_t raw = static_cast<std::uint32_t>(values[i]);
    for (int k = 0; k < 4; ++k) bytes[4 * i + k] = static_cast<unsigned char>(raw >> (8 * k));
  }
  std::string temporary = path + ".new";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return false;
  size_t size = static_cast<size_t>(count) * 4;
  bool written = std::fwrite(bytes, 1, size, file) == size;
  written = std::fclose(file) == 0 && written;
  if (written && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  std::remove(temporary.c_str());
  return false;
}

}  // namespace

std::string backupFilePath(const std::string& name) {
  return std::string(Ambry::getProperty("path_backup").c_str()) + name;
}

bool readSchedule(Schedule& schedule) {
  std::int32_t values[2];
  if (!readIntegers(backupFilePath("settings.dat"), values, 2)) return false;
  schedule.type = values[0];
  schedule.seconds = values[1];
  return true;
}

bool writeSchedule(const Schedule& schedule) {
  std::int32_t values[2] = {schedule.type, schedule.seconds};
  return writeIntegers(backupFilePath("settings.dat"), values, 2);
}

bool readLastBackup(std::time_t& when) {
  std::int32_t value;
  if (!readIntegers(backupFilePath("lastbackup.dat"), &value, 1)) return false;
  when = value;
  return true;
}

bool writeLastBackup(std::time_t when) {
  std::int32_t value = static_cast<std::int32_t>(when);
  return writeIntegers(backupFilePath("lastbackup.dat"), &value, 1);
}

}  // namespace ControlPanel
