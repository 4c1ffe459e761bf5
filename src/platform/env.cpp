#include "platform/env.h"

namespace rxTheme {

namespace {
Env* g_current_env = nullptr;
}  // namespace

Env& CurrentEnv() { return g_current_env ? *g_current_env : DefaultEnv(); }

void SetCurrentEnv(Env* env) { g_current_env = env; }

}  // namespace rxTheme
