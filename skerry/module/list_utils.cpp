// Condition, string and track id lists, and the searches over a database's
// track list that the browser menus and the transfer window are built from.
#include "list_utils.h"

#include <cstdio>
#include <cstring>

namespace {

template <typename T>
T *alloc_zeroed()
{
    void *p = ipod_memory_alloc(sizeof(T));
    if (p)
        std::memset(p, 0, sizeof(T));
    return static_cast<T *>(p);
}

template <typename List, typename Node>
void append(List *list, Node *node)
{
    if (list->tail)
        list->tail->next = node;
    else
        list->head = node;
    list->tail = node;
}

template <typename List>
auto take_first(List *list) -> decltype(list->head)
{
    auto node = list->head;
    if (!node)
        return nullptr;
    list->head = node->next;
    if (!list->head)
        list->tail = nullptr;
    node->next = nullptr;
    return node;
}

// Calls fn for each track of the database that matches the conditions.
template <typename Fn>
void for_each_matching(ipod_t ipod, param_list *conditions, Fn fn)
{
    const uint32_t count = ipod_track_count(ipod);
    for (uint32_t i = 0; i < count; ++i) {
        ipod_track_t track = ipod_track_get_by_index(ipod, int(i));
        if (!track) {
            std::printf("Error: can't find track %d\n", int(i));
            continue;
        }
        if (!conditions || param_list_test_track(track, conditions))
            fn(track);
        ipod_track_free(track);
    }
}

} // namespace

extern "C" {

param_list *param_list_new(void)
{
    return alloc_zeroed<param_list>();
}

void param_list_add(param_list *list, int tag, const char *value)
{
    if (!list || tag == -1)
        return;
    param_node *node = alloc_zeroed<param_node>();
    if (!node)
        return;
    node->tag = tag;
    node->value = ipod_string_new_from(value);
    append(list, node);
}

param_node *param_list_pop(param_list *list)
{
    return list ? take_first(list) : nullptr;
}

void param_node_free(param_node *node)
{
    if (!node)
        return;
    if (node->value)
        ipod_string_free(node->value);
    ipod_memory_free(node);
}

int param_list_test_track(ipod_track_t track, param_list *list)
{
    if (!track)
        return 0;
    if (!list)
        return 1;
    ipod_string text = ipod_string_new();
    int match = 1;
    for (param_node *node = list->head; node && match; node = node->next) {
        text = ipod_track_get_text(track, node->tag, text);
        match = text && node->value && std::strcmp(text, node->value) == 0;
    }
    if (text)
        ipod_string_free(text);
    return match;
}

param_list *param_list_copy(const param_list *list)
{
    param_list *copy = param_list_new();
    for (const param_node *node = list ? list->head : nullptr; node && copy; node = node->next)
        param_list_add(copy, node->tag, node->value);
    return copy;
}

void param_list_free(param_list *list)
{
    if (!list)
        return;
    while (param_node *node = param_list_pop(list))
        param_node_free(node);
    ipod_memory_free(list);
}

string_list *string_list_new(void)
{
    return alloc_zeroed<string_list>();
}

void string_list_add(string_list *list, ipod_string string)
{
    if (!list || !string)
        return;
    string_node *node = alloc_zeroed<string_node>();
    if (!node) {
        ipod_string_free(string);
        return;
    }
    node->string = string;
    append(list, node);
}

void string_list_add_unique(string_list *list, ipod_string string)
{
    if (!list || !string)
        return;
    for (string_node *node = list->head; node; node = node->next)
        if (std::strcmp(node->string, string) == 0) {
            ipod_string_free(string);
            return;
        }
    string_list_add(list, string);
}

ipod_string string_list_pop(string_list *list)
{
    string_node *node = list ? take_first(list) : nullptr;
    if (!node)
        return nullptr;
    ipod_string string = node->string;
    ipod_memory_free(node);
    return string;
}

void string_list_free(string_list *list)
{
    if (!list)
        return;
    while (ipod_string string = string_list_pop(list))
        ipod_string_free(string);
    ipod_memory_free(list);
}

track_list *track_list_new(ipod_t ipod)
{
    track_list *list = alloc_zeroed<track_list>();
    if (list)
        list->ipod = ipod;
    return list;
}

void track_list_add(track_list *list, uint32_t id)
{
    if (!list)
        return;
    track_node *node = alloc_zeroed<track_node>();
    if (!node)
        return;
    node->id = id;
    append(list, node);
}

uint32_t track_list_pop(track_list *list)
{
    track_node *node = list ? take_first(list) : nullptr;
    if (!node)
        return 0;
    uint32_t id = node->id;
    ipod_memory_free(node);
    return id;
}

void track_list_free(track_list *list)
{
    if (!list)
        return;
    while (list->head)
        track_list_pop(list);
    ipod_memory_free(list);
}

string_list *string_list_track_search(ipod_t ipod, int tag, param_list *conditions)
{
    if (!ipod)
        return nullptr;
    string_list *found = string_list_new();
    if (!found)
        return nullptr;
    for_each_matching(ipod, conditions, [&](ipod_track_t track) {
        // A track without the text counts under the empty text.
        string_list_add_unique(found, ipod_track_get_text(track, tag, nullptr));
    });
    return found;
}

track_list *track_search_id(ipod_t ipod, param_list *conditions)
{
    if (!ipod)
        return nullptr;
    track_list *found = track_list_new(ipod);
    if (!found)
        return nullptr;
    for_each_matching(ipod, conditions, [&](ipod_track_t track) {
        track_list_add(found, ipod_track_get_attribute(track, IPOD_TRACK_ID));
    });
    return found;
}

} // extern "C"
