/* Stream over an open standard I/O file. The stream keeps its own window of
   the file in memory, so that small reads and writes, and the seeks back to
   patch sizes, do not each cost a call into the system. The stream does not
   own the file: freeing it writes out what is pending but does not close it. */
#ifndef IPOD_IO_FILE_H
#define IPOD_IO_FILE_H

#include <stdio.h>

#include "ipod_io.h"

#ifdef __cplusplus
extern "C" {
#endif

ipod_io_t ipod_io_file_new(FILE *file);
/* Writes out pending bytes; 0 when everything written so far reached the
   file, -1 after any failed write. */
int ipod_io_file_flush(ipod_io_t io);
void ipod_io_file_free(ipod_io_t io);

#ifdef __cplusplus
}
#endif

#endif
