/* Independent oracle for the tests and the benchmark, built on libgpod:
     gpod_helper make <file> <tracks> <playlists> <items per playlist>
     gpod_helper dump <file>
     gpod_helper parse <file>               (prints the seconds taken)
     gpod_helper parsewrite <file> <out>    (parse, change one title, write)
   make writes a database of tracks with non-ASCII texts and playlists. */
#include <gpod/itdb.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double now(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec + ts.tv_nsec / 1e9;
}

static const char *titles[] = {"Chanson d'\xc3\xa9t\xc3\xa9 %d", "Lied \xc3\xbc" "ber Br\xc3\xbc" "cken %d",
                               "\xe6\x97\xa5\xe6\x9c\xac\xe3\x81\xae\xe6\xad\x8c %d", "Song number %d"};
static const char *genres[] = {"Rock", "\xc3\x89lectro", "Jazz", "Pop", "Folk"};

static int make(const char *file, int tracks, int playlists, int items) {
  Itdb_iTunesDB *itdb = itdb_new();
  Itdb_Playlist *mpl = itdb_playlist_new("iPod", FALSE);
  itdb_playlist_set_mpl(mpl);
  itdb_playlist_add(itdb, mpl, -1);
  Itdb_Track **all = g_new0(Itdb_Track *, tracks > 0 ? tracks : 1);
  for (int i = 0; i < tracks; i++) {
    Itdb_Track *t = itdb_track_new();
    t->title = g_strdup_printf(titles[i % 4], i);
    t->artist = g_strdup_printf(i % 3 == 0 ? "Bj\xc3\xb6rk Ensemble %d" : "Artist %d", i % 37);
    t->album = g_strdup_printf("Album %d \xe2\x80\x94 Live", i / 10);
    t->genre = g_strdup(genres[i % 5]);
    t->filetype = g_strdup("MPEG audio file");
    t->comment = g_strdup_printf("Comment %d", i);
    if (i % 2 == 0) t->composer = g_strdup_printf("Composer %d", i % 11);
    t->ipod_path = g_strdup_printf(":iPod_Control:Music:F%02d:T%05d.mp3", i % 20, i);
    t->size = 3000000 + i;
    t->tracklen = 180000 + i;
    t->track_nr = i % 12 + 1;
    t->tracks = 12;
    t->cd_nr = 1;
    t->cds = 1;
    t->year = 1990 + i % 30;
    t->bitrate = 192;
    t->samplerate = 44100;
    t->playcount = i % 5;
    t->rating = (i % 6) * 20;
    itdb_track_add(itdb, t, -1);
    itdb_playlist_add_track(mpl, t, -1);
    all[i] = t;
  }
  for (int p = 0; p < playlists; p++) {
    gchar *name = g_strdup_printf(p % 2 ? "Playlist %d" : "Liste n\xc2\xb0%d", p);
    Itdb_Playlist *pl = itdb_playlist_new(name, FALSE);
    g_free(name);
    itdb_playlist_add(itdb, pl, -1);
    for (int k = 0; k < items && tracks > 0; k++) itdb_playlist_add_track(pl, all[(p * 7 + k * 13) % tracks], -1);
  }
  g_free(all);
  GError *error = NULL;
  if (!itdb_write_file(itdb, file, &error)) {
    fprintf(stderr, "write failed: %s\n", error ? error->message : "?");
    return 1;
  }
  itdb_free(itdb);
  return 0;
}

static void text(const char *key, const char *value) {
  if (value && *value) printf(" %s=%s", key, value);
}

static int dump(const char *file) {
  GError *error = NULL;
  Itdb_iTunesDB *itdb = itdb_parse_file(file, &error);
  if (!itdb) {
    fprintf(stderr, "parse failed: %s\n", error ? error->message : "?");
    return 1;
  }
  for (GList *l = itdb->tracks; l; l = l->next) {
    Itdb_Track *t = l->data;
    printf("track id=%u", t->id);
    text("title", t->title);
    text("location", t->ipod_path);
    text("album", t->album);
    text("artist", t->artist);
    text("genre", t->genre);
    text("filetype", t->filetype);
    text("comment", t->comment);
    text("composer", t->composer);
    printf(" size=%u length=%d number=%d total=%d year=%d bitrate=%d samplerate=%u disc=%d/%d playcount=%u rating=%u\n",
           t->size, t->tracklen, t->track_nr, t->tracks, t->year, t->bitrate, t->samplerate, t->cd_nr, t->cds,
           t->playcount, t->rating);
  }
  for (GList *l = itdb->playlists; l; l = l->next) {
    Itdb_Playlist *pl = l->data;
    printf("playlist name=%s master=%d items=", pl->name ? pl->name : "", itdb_playlist_is_mpl(pl) ? 1 : 0);
    for (GList *m = pl->members; m; m = m->next) printf("%u,", ((Itdb_Track *)m->data)->id);
    printf("\n");
  }
  itdb_free(itdb);
  return 0;
}

int main(int argc, char **argv) {
  if (argc >= 6 && !strcmp(argv[1], "make")) return make(argv[2], atoi(argv[3]), atoi(argv[4]), atoi(argv[5]));
  if (argc >= 3 && !strcmp(argv[1], "dump")) return dump(argv[2]);
  if (argc >= 3 && !strcmp(argv[1], "parse")) {
    double t0 = now();
    GError *error = NULL;
    Itdb_iTunesDB *itdb = itdb_parse_file(argv[2], &error);
    double t1 = now();
    if (!itdb) return 1;
    printf("parse %.6f tracks %u\n", t1 - t0, g_list_length(itdb->tracks));
    return 0;
  }
  if (argc >= 4 && !strcmp(argv[1], "parsewrite")) {
    double t0 = now();
    GError *error = NULL;
    Itdb_iTunesDB *itdb = itdb_parse_file(argv[2], &error);
    double t1 = now();
    if (!itdb || !itdb->tracks) return 1;
    Itdb_Track *t = itdb->tracks->data;
    g_free(t->title);
    t->title = g_strdup("Changed title");
    if (!itdb_write_file(itdb, argv[3], &error)) return 1;
    double t2 = now();
    printf("parse %.6f write %.6f\n", t1 - t0, t2 - t1);
    return 0;
  }
  fprintf(stderr, "usage: gpod_helper make|dump|parse|parsewrite ...\n");
  return 2;
}
