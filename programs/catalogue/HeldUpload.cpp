// The uploaded file: read as its own multipart body, held between preview and import in the
// site's private folder under a random name bound to the librarian, and removed after an hour.
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>

#include "ambry/db/Backup.h"
#include "programs/catalogue/Catalogue.h"

namespace Catalogue {

namespace {

// Files up to 20 MB; the body holds the form's few other bytes besides.
const size_t kMaxFileBytes = 20u << 20;
const size_t kMaxBodyBytes = kMaxFileBytes + (64u << 10);
const time_t kHeldSeconds = 60 * 60;
const char* const kHeldPrefix = "import-";
const char* const kHeldSuffix = ".upload";
const char* const kHeldMagic = "ambry-import";

std::string privateFolder() {
  return Ambry::getProperty("path_private").c_str();
}

bool isToken(const std::string& token) {
  if (token.size() != 32) return false;
  for (char c : token)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

std::string heldPath(const std::string& token) {
  return privateFolder() + kHeldPrefix + token + kHeldSuffix;
}

// A line of the held file's header: no line break can come from the file's name or the session.
std::string oneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r' || c == '\0') c = ' ';
  return text.substr(0, 255);
}

// The value of a parameter in a header line ("boundary=x", "filename=\"a.mrc\""), or "".
std::string headerParameter(std::string_view header, std::string_view name) {
  for (size_t at = header.find(name); at != std::string_view::npos; at = header.find(name, at + 1)) {
    if (at > 0 && header[at - 1] != ' ' && header[at - 1] != ';') continue;
    if (header.substr(at + name.size(), 1) != "=") continue;
    std::string_view value = header.substr(at + name.size() + 1);
    if (!value.empty() && value.front() == '"') {
      value.remove_prefix(1);
      return std::string(value.substr(0, value.find('"')));
    }
    return std::string(value.substr(0, value.find_first_of("; \r\n")));
  }
  return "";
}

// Reads CONTENT_LENGTH bytes, when they fit the limit; false when the body is cut short.
UploadRead readBody(std::string& body) {
  const char* length = std::getenv("CONTENT_LENGTH");
  const unsigned long long count = length ? std::strtoull(length, nullptr, 10) : 0;
  if (count > kMaxBodyBytes) return UploadRead::kTooLarge;
  body.resize(static_cast<size_t>(count));
  size_t got = 0;
  while (got < body.size()) {
    const size_t n = std::fread(&body[got], 1, body.size() - got, stdin);
    if (n == 0) break;
    got += n;
  }
  return got == body.size() ? UploadRead::kRead : UploadRead::kNoFile;
}

// The part of the body that carries the form's field "file", found between the boundaries.
UploadRead findFilePart(Upload& upload, const std::string& boundary) {
  const std::string delimiter = "\r\n--" + boundary;
  const std::string_view body = upload.body;
  // The first boundary opens the body without a line break before it.
  size_t at = body.find(delimiter.substr(2));
  while (at != std::string_view::npos) {
    const size_t headersStart = body.find("\r\n", at);
    const size_t headersEnd = headersStart == std::string_view::npos ? headersStart : body.find("\r\n\r\n", headersStart);
    if (headersEnd == std::string_view::npos) break;
    const std::string_view headers = body.substr(headersStart, headersEnd - headersStart);
    const size_t dataStart = headersEnd + 4;
    const size_t dataEnd = body.find(delimiter, dataStart);
    if (dataEnd == std::string_view::npos) break;
    const size_t disposition = headers.find("form-data");
    if (disposition != std::string_view::npos) {
      const std::string_view line = headers.substr(disposition, headers.find("\r\n", disposition) - disposition);
      if (headerParameter(line, "name") == "file") {
        upload.file = body.substr(dataStart, dataEnd - dataStart);
        upload.fileName = oneLine(headerParameter(line, "filename"));
        if (upload.file.size() > kMaxFileBytes) return UploadRead::kTooLarge;
        return upload.file.empty() ? UploadRead::kNoFile : UploadRead::kRead;
      }
    }
    at = dataEnd + 2;
  }
  return UploadRead::kNoFile;
}

std::string randomToken() {
  unsigned char bytes[16];
  if (getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) return "";
  std::string token;
  char hex[3];
  for (unsigned char byte : bytes) {
    std::snprintf(hex, sizeof hex, "%02x", byte);
    token += hex;
  }
  return token;
}

bool writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::string librarianSession() {
  return Ambry::staffSessionDigest().c_str();
}

bool isMultipartRequest() {
  const char* type = std::getenv("CONTENT_TYPE");
  return type && strncasecmp(type, "multipart/form-data", 19) == 0;
}

UploadRead readUpload(Upload& upload) {
  const char* type = std::getenv("CONTENT_TYPE");
  const std::string boundary = type ? headerParameter(type, "boundary") : "";
  if (boundary.empty() || boundary.size() > 200) return UploadRead::kNotMultipart;
  const UploadRead read = readBody(upload.body);
  return read == UploadRead::kRead ? findFilePart(upload, boundary) : read;
}

std::string holdUpload(const Upload& upload) {
  const std::string token = randomToken();
  if (token.empty()) return "";
  mkdir(privateFolder().c_str(), 0700);
  const std::string path = heldPath(token);
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return "";
  const std::string header =
      std::string(kHeldMagic) + "\n" + oneLine(librarianSession()) + "\n" + upload.fileName + "\n";
  const bool written = writeAll(fd, header.data(), header.size()) && writeAll(fd, upload.file.data(), upload.file.size());
  if (close(fd) != 0 || !written) {
    unlink(path.c_str());
    return "";
  }
  return token;
}

bool loadHeldUpload(const std::string& token, HeldFile& held) {
  if (!isToken(token)) return false;
  const int fd = open(heldPath(token).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  struct stat info;
  bool read = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  if (read) {
    held.content.resize(static_cast<size_t>(info.st_size));
    size_t got = 0;
    while (got < held.content.size()) {
      const ssize_t n = ::read(fd, &held.content[got], held.content.size() - got);
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
    read = got == held.content.size();
  }
  close(fd);
  // The header: magic, session, file name; the file follows. It is moved down in place, not copied.
  const size_t magicEnd = held.content.find('\n');
  const size_t sessionEnd = magicEnd == std::string::npos ? magicEnd : held.content.find('\n', magicEnd + 1);
  const size_t nameEnd = sessionEnd == std::string::npos ? sessionEnd : held.content.find('\n', sessionEnd + 1);
  if (!read || nameEnd == std::string::npos || held.content.compare(0, magicEnd, kHeldMagic) != 0 ||
      held.content.compare(magicEnd + 1, sessionEnd - magicEnd - 1, oneLine(librarianSession())) != 0) {
    held.content.clear();
    return false;
  }
  held.fileName = held.content.substr(sessionEnd + 1, nameEnd - sessionEnd - 1);
  held.content.erase(0, nameEnd + 1);
  return true;
}

void removeHeldUpload(const std::string& token) {
  if (isToken(token)) unlink(heldPath(token).c_str());
}

void removeExpiredUploads() {
  const std::string folder = privateFolder();
  DIR* directory = opendir(folder.c_str());
  if (!directory) return;
  const time_t now = std::time(nullptr);
  const size_t prefix = std::strlen(kHeldPrefix);
  const size_t suffix = std::strlen(kHeldSuffix);
  while (const dirent* entry = readdir(directory)) {
    const std::string name = entry->d_name;
    if (name.size() <= prefix + suffix || name.compare(0, prefix, kHeldPrefix) != 0 ||
        name.compare(name.size() - suffix, suffix, kHeldSuffix) != 0)
      continue;
    struct stat info;
    const std::string path = folder + name;
    if (lstat(path.c_str(), &info) == 0 && now - info.st_mtime > kHeldSeconds) unlink(path.c_str());
  }
  closedir(directory);
}

bool makeSafetyPointBeforeImport() {
  // A safety point, pruned like the restore's own: the database as it was before the import.
  return Ambry::makeRestorePoint(Ambry::RestorePointKind::kSafety) == Ambry::BackupOutcome::kMade;
}

}  // namespace Catalogue
