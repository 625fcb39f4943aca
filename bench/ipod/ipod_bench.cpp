// Opens a 50,000-track, 200-playlist database made by libgpod, changes one
// track and writes it back, against libgpod's own parse and write of the same
// file. Every measurement runs in a fresh process; the peak memory is that
// process's maximum resident set.
//
//   ipod_bench [work folder]      (default /tmp/ipod-bench; the database is
//                                  made there once and kept for later runs)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "ipod.h"

static double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Run {
  std::string out;
  long peak_kb = 0;
};

// Runs a program, collecting its standard output and its peak memory.
static Run run(const std::vector<std::string> &args) {
  int pipefd[2];
  if (pipe(pipefd) != 0) exit(1);
  pid_t pid = fork();
  if (pid == 0) {
    dup2(pipefd[1], 1);
    close(pipefd[0]);
    std::vector<char *> argv;
    for (auto &a : args) argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(pipefd[1]);
  Run r;
  char buffer[4096];
  ssize_t n;
  while ((n = read(pipefd[0], buffer, sizeof buffer)) > 0) r.out.append(buffer, (size_t)n);
  close(pipefd[0]);
  int status = 0;
  struct rusage usage;
  wait4(pid, &status, 0, &usage);
  r.peak_kb = usage.ru_maxrss;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    fprintf(stderr, "failed: %s\n", args[0].c_str());
    exit(1);
  }
  return r;
}

static double value_after(const std::string &out, const char *key) {
  const char *p = strstr(out.c_str(), key);
  return p ? atof(p + strlen(key)) : -1;
}

static void quiet(void *, const char *, va_list) {}

// Child modes: measure one thing in this fresh process.
static int child(const char *mode, const char *root) {
  ipod_error_set_func(quiet, nullptr);
  auto start = std::chrono::steady_clock::now();
  ipod_t ipod = ipod_new(root);
  if (!ipod) return 1;
  double open = seconds_since(start);
  if (!strcmp(mode, "open")) {
    printf("open %.6f tracks %u\n", open, ipod_track_count(ipod));
    return 0;  // freeing the tree is not part of the measure
  }
  ipod_track_t t = ipod_track_get_by_index(ipod, 0);
  ipod_track_set_text(t, IPOD_TITLE, "Changed title");
  ipod_track_free(t);
  auto flush_start = std::chrono::steady_clock::now();
  if (ipod_flush(ipod) != 0) return 1;
  double flush = seconds_since(flush_start);
  printf("open %.6f flush %.6f total %.6f\n", open, flush, seconds_since(start));
  return 0;
}

int main(int argc, char **argv) {
  if (argc == 4 && !strcmp(argv[1], "--child")) return child(argv[2], argv[3]);
  std::string work = argc > 1 ? argv[1] : "/tmp/ipod-bench";
  std::string itunes = work + "/iPod_Control/iTunes";
  std::string db = itunes + "/iTunesDB";
  std::string self = argv[0];
  if (self.find('/') == std::string::npos) self = "./" + self;
  mkdir(work.c_str(), 0755);
  mkdir((work + "/iPod_Control").c_str(), 0755);
  mkdir(itunes.c_str(), 0755);
  std::string original = work + "/iTunesDB.libgpod";
  struct stat st;
  if (stat(original.c_str(), &st) != 0) {
    printf("making the database with libgpod (50000 tracks, 200 playlists; takes a minute)...\n");
    fflush(stdout);
    run({GPOD_HELPER, "make", original, "50000", "200", "50"});
    stat(original.c_str(), &st);
  }
  printf("database: %.1f MB\n", st.st_size / 1e6);

  auto fresh_copy = [&]() { run({"/bin/cp", original, db}); };
  const int rounds = 3;
  double best_parse = 1e9, best_parse_write = 1e9, best_open = 1e9, best_change = 1e9;
  long peak_gpod = 0, peak_ours = 0;
  for (int i = 0; i < rounds; i++) {
    Run p = run({GPOD_HELPER, "parse", original});
    best_parse = std::min(best_parse, value_after(p.out, "parse "));
    Run pw = run({GPOD_HELPER, "parsewrite", original, work + "/iTunesDB.written"});
    best_parse_write = std::min(best_parse_write, value_after(pw.out, "parse ") + value_after(pw.out, "write "));
    peak_gpod = std::max(peak_gpod, pw.peak_kb);
    fresh_copy();
    Run o = run({self, "--child", "open", work});
    best_open = std::min(best_open, value_after(o.out, "open "));
    fresh_copy();
    Run c = run({self, "--child", "change", work});
    best_change = std::min(best_change, value_after(c.out, "total "));
    peak_ours = std::max(peak_ours, c.peak_kb);
  }
  unlink((work + "/iTunesDB.written").c_str());
  printf("libgpod parse:                 %.3f s\n", best_parse);
  printf("libgpod parse + write:         %.3f s (peak %.1f MB)\n", best_parse_write, peak_gpod / 1024.0);
  printf("ipod open:                     %.3f s\n", best_open);
  printf("ipod open + change + flush:    %.3f s (peak %.1f MB)\n", best_change, peak_ours / 1024.0);
  printf("ratio open vs parse:           %.1fx faster (goal 3x)\n", best_parse / best_open);
  printf("ratio change+flush vs p+w:     %.1fx faster (goal 10x)\n", best_parse_write / best_change);
  printf("peak memory ours / libgpod:    %.2f (goal <= 1)\n", (double)peak_ours / peak_gpod);
  return 0;
}
