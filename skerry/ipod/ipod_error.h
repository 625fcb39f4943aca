/* Error reporting: one function with a replaceable hook. */
#ifndef IPOD_ERROR_H
#define IPOD_ERROR_H

#include <stdarg.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*ipod_error_func)(void *user_data, const char *format, va_list args);

extern ipod_error_func g_ipod_error_func;
extern void *g_ipod_error_user_data;

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
void ipod_error(const char *format, ...);
void ipod_error_set_func(ipod_error_func func, void *user_data);

#ifdef __cplusplus
}
#endif

#endif
