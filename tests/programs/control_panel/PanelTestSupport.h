// Helpers for the control panel and autovault tests: requests to the panel, the panel's binary
// files, stand-in tools and a look at the backup directory.
#pragma once
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/support/CgiRunner.h"
#include "tests/support/Popups.h"

namespace PanelTest {

using TestSupport::CgiResponse;
using TestSupport::english;
using TestSupport::popsUp;
using TestSupport::popups;
using TestSupport::SiteSandbox;

// Posts a body to the control panel in English, from the site's cgi-bin.
inline CgiResponse postPanel(const SiteSandbox& site, const std::string& body,
                             const std::map<std::string, std::string>& env = {}) {
  TestSupport::CgiRequest request;
  request.program = "control_panel";
  request.query = "lang=eng";
  request.body = body;
  request.cwd = site.cgiBin();
  request.env = env;
  return TestSupport::runCgi(request);
}

// 32-bit signed little-endian integers, as the panel's files hold them.
inline std::string int32Bytes(std::initializer_list<std::int32_t> values) {
  std::string bytes;
  for (std::int32_t value : values)
    for (int k = 0; k < 4; ++k)
      bytes += static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * k)) & 0xFF);
  return bytes;
}

inline std::vector<std::int32_t> readInt32s(const std::string& path) {
  std::string bytes = SiteSandbox::readFile(path);
  std::vector<std::int32_t> values;
  for (size_t i = 0; i + 4 <= bytes.size(); i += 4) {
    std::uint32_t raw = 0;
    for (int k = 0; k < 4; ++k)
      raw |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + k])) << (8 * k);
    values.push_back(static_cast<std::int32_t>(raw));
  }
  return values;
}

// Names in a directory, sorted.
inline std::vector<std::string> entries(const std::string& directory) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(directory, ec))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

inline std::vector<std::string> restorePoints(const SiteSandbox& site) {
  std::vector<std::string> names;
  for (const std::string& name : entries(site.backup()))
    if (name.find(".bak") != std::string::npos) names.push_back(name);
  return names;
}

// An executable shell script.
inline void writeScript(const std::string& path, const std::string& body) {
  SiteSandbox::writeFile(path, "#!/bin/sh\n" + body);
  chmod(path.c_str(), 0755);
}

}  // namespace PanelTest
