#include "ipod_error.h"

#include <cstdio>

ipod_error_func g_ipod_error_func = nullptr;
void *g_ipod_error_user_data = nullptr;

void ipod_error(const char *format, ...) {
  va_list args;
  va_start(args, format);
  if (g_ipod_error_func)
    g_ipod_error_func(g_ipod_error_user_data, format, args);
  else
    std::vfprintf(stderr, format, args);
  va_end(args);
}

void ipod_error_set_func(ipod_error_func func, void *user_data) {
  g_ipod_error_func = func;
  g_ipod_error_user_data = user_data;
}
