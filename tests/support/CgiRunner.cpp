// fork/exec of a CGI program with a chosen environment, body and working directory.
#include "tests/support/CgiRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "ambry/framework/StaffPrograms.h"

namespace TestSupport {

SiteSandbox::SiteSandbox() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ambry-site-XXXXXX").string();
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (!mkdtemp(buf.data())) throw std::runtime_error("mkdtemp failed");
  mRoot = buf.data();
  std::filesystem::create_directories(cgiBin());
  std::filesystem::create_directories(data());
  std::filesystem::create_directories(backup());
}

SiteSandbox::~SiteSandbox() {
  std::error_code ec;
  std::filesystem::remove_all(mRoot, ec);
}

void SiteSandbox::writeFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

std::string SiteSandbox::readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

bool SiteSandbox::exists(const std::string& path) {
  return std::filesystem::exists(path);
}

std::string programPath(const std::string& program) {
  return std::string(AMBRY_BIN_DIR) + "/" + program;
}

namespace {
void drain(int outFd, int errFd, const std::string& input, int inFd, CgiResponse& res) {
  size_t written = 0;
  if (input.empty()) {
    close(inFd);
    inFd = -1;
  }
  while (outFd >= 0 || errFd >= 0 || inFd >= 0) {
    pollfd fds[3];
    int n = 0;
    if (outFd >= 0) fds[n++] = {outFd, POLLIN, 0};
    if (errFd >= 0) fds[n++] = {errFd, POLLIN, 0};
    if (inFd >= 0) fds[n++] = {inFd, POLLOUT, 0};
    if (poll(fds, n, 30000) <= 0) break;
    for (int i = 0; i < n; ++i) {
      if (!fds[i].revents) continue;
      if (fds[i].fd == inFd) {
        ssize_t w = write(inFd, input.data() + written, input.size() - written);
        if (w > 0) written += static_cast<size_t>(w);
        if (w < 0 || written == input.size()) {
          close(inFd);
          inFd = -1;
        }
        continue;
      }
      char buf[65536];
      ssize_t r = read(fds[i].fd, buf, sizeof buf);
      std::string& target = fds[i].fd == outFd ? res.output : res.errors;
      if (r > 0) {
        target.append(buf, static_cast<size_t>(r));
      } else {
        close(fds[i].fd);
        (fds[i].fd == outFd ? outFd : errFd) = -1;
      }
    }
  }
  if (inFd >= 0) close(inFd);
  if (outFd >= 0) close(outFd);
  if (errFd >= 0) close(errFd);
}
}  // namespace

std::string staffSessionCookie() {
  static std::string cookie;
  if (cookie.empty()) cookie = newStaffSessionCookie();
  return cookie;
}

std::string newStaffSessionCookie() {
  std::string cookie;
  CgiRequest signIn;
  signIn.program = "staff_login";
  signIn.query = "lang=eng";
  const char* password = std::getenv("AMBRY_ADMIN_PASSWORD");
  signIn.body = std::string("password=") + (password && *password ? password : "marmots");
  const std::string page = runCgi(signIn).output;
  const std::string header = "Set-Cookie: ";
  const size_t at = page.find(header);
  if (at != std::string::npos && at < page.find("\n\n"))
    cookie = page.substr(at + header.size(), page.find(';', at) - at - header.size());
  return cookie;
}

CgiResponse runCgi(const CgiRequest& req) {
  std::optional<SiteSandbox> sandbox;
  std::string cwd = req.cwd;
  if (cwd.empty()) {
    sandbox.emplace();
    cwd = sandbox->cgiBin();
  }
  std::vector<std::string> env;
  for (const char* name : {"PATH", "TZ", "MYSQL_UNIX_PORT"})
    if (const char* v = std::getenv(name)) env.push_back(std::string(name) + "=" + v);
  if (req.query) env.push_back("QUERY_STRING=" + *req.query);
  if (req.contentLength)
    env.push_back("CONTENT_LENGTH=" + *req.contentLength);
  else if (req.body)
    env.push_back("CONTENT_LENGTH=" + std::to_string(req.body->size()));
  env.push_back("SCRIPT_NAME=" + (req.scriptName ? *req.scriptName : "/cgi-bin/" + req.program + ".exe"));
  env.push_back("REQUEST_METHOD=" + std::string(req.body ? "POST" : "GET"));
  for (const auto& [k, v] : req.env) env.push_back(k + "=" + v);
  // The staff programs answer only a signed-in librarian.
  if (Ambry::isStaffProgram(req.program.c_str()) && !req.env.count("HTTP_COOKIE"))
    env.push_back("HTTP_COOKIE=" + staffSessionCookie());

  int in[2], out[2], err[2];
  if (pipe(in) || pipe(out) || pipe(err)) throw std::runtime_error("pipe failed");
  std::string path = programPath(req.program);
  pid_t pid = fork();
  if (pid == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    dup2(err[1], 2);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
    if (chdir(cwd.c_str()) != 0) _exit(126);
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    char* argv[] = {path.data(), nullptr};
    execve(path.c_str(), argv, envp.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  signal(SIGPIPE, SIG_IGN);
  CgiResponse res;
  drain(out[0], err[0], req.body ? *req.body : std::string(), in[1], res);
  int status = 0;
  waitpid(pid, &status, 0);
  res.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return res;
}

}  // namespace TestSupport
