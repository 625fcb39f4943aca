/* Library allocator: every heap block of the library comes from here, so the
   counters see everything and tests can replace the allocator. */
#ifndef IPOD_MEMORY_H
#define IPOD_MEMORY_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef void *(*ipod_memory_alloc_func)(size_t size, void *user_data);
typedef void *(*ipod_memory_realloc_func)(void *pointer, size_t size, void *user_data);
typedef void (*ipod_memory_free_func)(void *pointer, void *user_data);

extern ipod_memory_alloc_func g_ipod_memory_alloc_func;
extern ipod_memory_realloc_func g_ipod_memory_realloc_func;
extern ipod_memory_free_func g_ipod_memory_free_func;
extern void *g_ipod_memory_user_data;

extern unsigned long ipod_memory_allocs;
extern unsigned long ipod_memory_frees;

/* Installs the hooks; a null hook restores the system allocator for it. */
void ipod_memory_set_funcs(ipod_memory_alloc_func alloc_func,
                           ipod_memory_realloc_func realloc_func,
                           ipod_memory_free_func free_func, void *user_data);

void *ipod_memory_alloc(size_t size);
void *ipod_memory_realloc(void *pointer, size_t size);
void ipod_memory_free(void *pointer);
void ipod_memory_report(void);

#ifdef __cplusplus
}

#include <cstddef>
#include <new>

/* Allocator adapter so that standard containers allocate through the
   library allocator as well. */
template <typename T> struct ipod_allocator {
  using value_type = T;
  ipod_allocator() noexcept = default;
  template <typename U> ipod_allocator(const ipod_allocator<U> &) noexcept {}
  T *allocate(std::size_t n) {
    void *p = ipod_memory_alloc(n * sizeof(T));
    if (!p) throw std::bad_alloc();
    return static_cast<T *>(p);
  }
  void deallocate(T *p, std::size_t) noexcept { ipod_memory_free(p); }
  template <typename U> bool operator==(const ipod_allocator<U> &) const noexcept { return true; }
  template <typename U> bool operator!=(const ipod_allocator<U> &) const noexcept { return false; }
};
#endif

#endif
