/* The lists the music browser and the transfer engine pass around:
 * condition lists (text tag = value), string lists and track id lists, and
 * the two searches over a database's track list.  Nodes and texts come from
 * the library allocator, so its counters see them. */
#ifndef SKERRY_MODULE_LIST_UTILS_H
#define SKERRY_MODULE_LIST_UTILS_H

#include "ipod.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct param_node {
    int tag;            /* text tag: 4 artist, 3 album, 1 title */
    ipod_string value;  /* the text the track's tag must equal, byte for byte */
    struct param_node *next;
} param_node;

typedef struct param_list {
    param_node *head, *tail;
} param_list;

typedef struct string_node {
    ipod_string string;
    struct string_node *next;
} string_node;

typedef struct string_list {
    string_node *head, *tail;
} string_list;

typedef struct track_node {
    uint32_t id; /* the track's attribute 2000 */
    struct track_node *next;
} track_node;

typedef struct track_list {
    track_node *head, *tail;
    ipod_t ipod; /* the database the ids come from */
} track_list;

param_list *param_list_new(void);
/* Appends a copy of value; ignored for a null list or tag -1. */
void param_list_add(param_list *list, int tag, const char *value);
/* The first node, taken out of the list (null when empty); free it with
 * param_node_free. */
param_node *param_list_pop(param_list *list);
void param_node_free(param_node *node);
/* 1 when every condition holds for the track (an empty or null list holds
 * for every track), 0 otherwise and for a null track. */
int param_list_test_track(ipod_track_t track, param_list *list);
/* A new list with the same conditions (empty for null). */
param_list *param_list_copy(const param_list *list);
void param_list_free(param_list *list);

string_list *string_list_new(void);
/* Takes the string over; ignored when list or string is null. */
void string_list_add(string_list *list, ipod_string string);
/* Takes the string over when it is added; frees it when an equal string is
 * already in the list. */
void string_list_add_unique(string_list *list, ipod_string string);
/* The first string, taken out of the list (null when empty). */
ipod_string string_list_pop(string_list *list);
void string_list_free(string_list *list);

track_list *track_list_new(ipod_t ipod);
void track_list_add(track_list *list, uint32_t id);
/* The first id, taken out of the list (0 when empty). */
uint32_t track_list_pop(track_list *list);
void track_list_free(track_list *list);

/* The distinct texts of tag among the tracks that match conditions (all
 * tracks for null), in the order they first occur in the track list; null
 * for a null database. */
string_list *string_list_track_search(ipod_t ipod, int tag, param_list *conditions);
/* The ids of the matching tracks in track-list order; null for a null
 * database. */
track_list *track_search_id(ipod_t ipod, param_list *conditions);

#ifdef __cplusplus
}
#endif

#endif
