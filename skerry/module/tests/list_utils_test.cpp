#include "list_utils.h"
#include "music_fixture.h"

namespace {

class Lists : public MusicTest {
protected:
    template <typename F>
    F *fn(const char *name)
    {
        return reinterpret_cast<F *>(sym<void>(name));
    }
};

TEST_F(Lists, ListsKeepOrderAndPopEmptyToNothing)
{
    load();
    auto param_new = fn<param_list *()>("param_list_new");
    auto param_add = fn<void(param_list *, int, const char *)>("param_list_add");
    auto param_pop = fn<param_node *(param_list *)>("param_list_pop");
    auto node_free = fn<void(param_node *)>("param_node_free");
    auto param_free = fn<void(param_list *)>("param_list_free");
    param_list *conditions = param_new();
    param_add(conditions, 4, "A");
    param_add(conditions, -1, "ignored");
    param_add(nullptr, 4, "ignored");
    param_add(conditions, 3, "X");
    param_node *first = param_pop(conditions);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->tag, 4);
    EXPECT_STREQ(first->value, "A");
    node_free(first);
    param_node *second = param_pop(conditions);
    EXPECT_STREQ(second->value, "X");
    node_free(second);
    EXPECT_EQ(param_pop(conditions), nullptr);
    param_free(conditions);

    auto strings_new = fn<string_list *()>("string_list_new");
    auto add_unique = fn<void(string_list *, ipod_string)>("string_list_add_unique");
    auto string_pop = fn<ipod_string(string_list *)>("string_list_pop");
    auto new_from = fn<ipod_string(const char *)>("ipod_string_new_from");
    auto string_free = fn<void(ipod_string)>("ipod_string_free");
    auto strings_free = fn<void(string_list *)>("string_list_free");
    string_list *strings = strings_new();
    for (const char *s : {"b", "a", "b", "B"})
        add_unique(strings, new_from(s));
    Lines popped;
    while (ipod_string s = string_pop(strings)) {
        popped.push_back(s);
        string_free(s);
    }
    EXPECT_EQ(popped, (Lines{"b", "a", "B"}));
    strings_free(strings);

    auto tracks_new = fn<track_list *(ipod_t)>("track_list_new");
    auto track_add = fn<void(track_list *, uint32_t)>("track_list_add");
    auto track_pop = fn<uint32_t(track_list *)>("track_list_pop");
    auto tracks_free = fn<void(track_list *)>("track_list_free");
    track_list *ids = tracks_new(nullptr);
    track_add(ids, 1002);
    track_add(ids, 1000);
    EXPECT_EQ(track_pop(ids), 1002u);
    EXPECT_EQ(track_pop(ids), 1000u);
    EXPECT_EQ(track_pop(ids), 0u);
    tracks_free(ids);
}

TEST_F(Lists, SearchesMatchEveryConditionExactlyInTrackOrder)
{
    connect_remote({{"t1", "B", "X", 1}, {"t2", "A", "X", 2}, {"t3", "B", "Y", 3}, {"t4", "B ", "X", 4}});
    ipod_t remote = *sym<ipod_t>("remote_ipod");
    auto param_new = fn<param_list *()>("param_list_new");
    auto param_add = fn<void(param_list *, int, const char *)>("param_list_add");
    auto param_free = fn<void(param_list *)>("param_list_free");
    auto test_track = fn<int(ipod_track_t, param_list *)>("param_list_test_track");
    auto search = fn<track_list *(ipod_t, param_list *)>("track_search_id");
    auto distinct = fn<string_list *(ipod_t, int, param_list *)>("string_list_track_search");
    auto tracks_free = fn<void(track_list *)>("track_list_free");
    auto strings_free = fn<void(string_list *)>("string_list_free");

    auto ids = [&](param_list *c) {
        std::vector<uint32_t> out;
        track_list *found = search(remote, c);
        for (track_node *n = found->head; n; n = n->next)
            out.push_back(n->id);
        tracks_free(found);
        return out;
    };
    auto texts = [&](int tag, param_list *c) {
        Lines out;
        string_list *found = distinct(remote, tag, c);
        for (string_node *n = found->head; n; n = n->next)
            out.push_back(n->string);
        strings_free(found);
        return out;
    };
    EXPECT_EQ(ids(nullptr), (std::vector<uint32_t>{1000, 1002, 1004, 1006}));
    EXPECT_EQ(texts(IPOD_ARTIST, nullptr), (Lines{"B", "A", "B "}));
    param_list *b = param_new();
    param_add(b, IPOD_ARTIST, "B");
    EXPECT_EQ(ids(b), (std::vector<uint32_t>{1000, 1004}));
    EXPECT_EQ(texts(IPOD_ALBUM, b), (Lines{"X", "Y"}));
    param_add(b, IPOD_ALBUM, "X");
    EXPECT_EQ(ids(b), (std::vector<uint32_t>{1000}));
    EXPECT_EQ(test_track(nullptr, b), 0);
    param_free(b);
    param_list *empty = param_new();
    EXPECT_EQ(ids(empty).size(), 4u);
    param_free(empty);
    EXPECT_EQ(search(nullptr, nullptr), nullptr);
    EXPECT_EQ(distinct(nullptr, IPOD_ARTIST, nullptr), nullptr);
}

} // namespace
