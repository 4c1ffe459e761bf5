#include "platform/env.h"

namespace rxTheme {

namespace {
Env* g_current_env = nullptr;
}  // namespace

Env& CurrentEnv() { return g_current_env ? *g_current_env : DefaultEnv(); }

void SetCurrentEnv(Env* env) { g_current_env = env; }

std::string Env::ReadFile(const WString& path) {
  const std::unique_ptr<ReadableFile> file = OpenForRead(path);
  std::string data;
  char buf[65536];
  while (const size_t got = file->Read(buf, sizeof buf)) data.append(buf, got);
  return data;
}

}  // namespace rxTheme
