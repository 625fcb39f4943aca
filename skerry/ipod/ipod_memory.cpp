#include "ipod_memory.h"
#include "ipod_error.h"

#include <cstdlib>

ipod_memory_alloc_func g_ipod_memory_alloc_func = nullptr;
ipod_memory_realloc_func g_ipod_memory_realloc_func = nullptr;
ipod_memory_free_func g_ipod_memory_free_func = nullptr;
void *g_ipod_memory_user_data = nullptr;

unsigned long ipod_memory_allocs = 0;
unsigned long ipod_memory_frees = 0;

void ipod_memory_set_funcs(ipod_memory_alloc_func alloc_func, ipod_memory_realloc_func realloc_func,
                           ipod_memory_free_func free_func, void *user_data) {
  g_ipod_memory_alloc_func = alloc_func;
  g_ipod_memory_realloc_func = realloc_func;
  g_ipod_memory_free_func = free_func;
  g_ipod_memory_user_data = user_data;
}

void *ipod_memory_alloc(size_t size) {
  void *p = g_ipod_memory_alloc_func ? g_ipod_memory_alloc_func(size, g_ipod_memory_user_data)
                                     : std::malloc(size);
  if (p) ipod_memory_allocs++;
  return p;
}

void *ipod_memory_realloc(void *pointer, size_t size) {
  void *p = g_ipod_memory_realloc_func
                ? g_ipod_memory_realloc_func(pointer, size, g_ipod_memory_user_data)
                : std::realloc(pointer, size);
  // A failed reallocation leaves the old block alive, so it is not counted
  // as freed then (a request for zero bytes does release it).
  if (pointer && (p || size == 0)) ipod_memory_frees++;
  if (p) ipod_memory_allocs++;
  return p;
}

void ipod_memory_free(void *pointer) {
  if (pointer) ipod_memory_frees++;
  if (g_ipod_memory_free_func)
    g_ipod_memory_free_func(pointer, g_ipod_memory_user_data);
  else
    std::free(pointer);
}

void ipod_memory_report(void) {
  ipod_error("ipod_memory_report(): allocs %lu frees %lu delta %ld\n", ipod_memory_allocs,
             ipod_memory_frees, (long)(ipod_memory_allocs - ipod_memory_frees));
}
