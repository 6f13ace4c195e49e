#pragma once
// A running headless application with the plug-in registered from the code
// linked into the test binary, and no preferences file.
#include "headless/application/Application.h"
#include "host/IPlugIn.h"
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

extern "C" IPlugIn* GetPlugIn();

class TestApp {
public:
  explicit TestApp(Clock* clock = nullptr, const std::string& prefs = "-") {
    AppOptions options;
    options.prefsPath = prefs;
    options.clock = clock;
    app_.reset(new Application(options));
    std::string error;
    registered_ = app_->RegisterPlugin(GetPlugIn(), &error);
    EXPECT_TRUE(registered_) << error;
    app_->Start();
  }
  Application& operator*() { return *app_; }
  Application* operator->() { return app_.get(); }

private:
  std::unique_ptr<Application> app_;
  bool registered_ = false;
};

// The whole file; empty when it cannot be read.
inline std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A fresh folder under the system's temporary folder, removed afterwards.
class TempDir {
public:
  TempDir() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("xref-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
  std::filesystem::path path_;
};
