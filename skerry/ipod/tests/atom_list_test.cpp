#include <gtest/gtest.h>

#include "ipod_atom.h"
#include "ipod_atom_list.h"
#include "ipod_io_memory.h"
#include "test_support.h"

TEST(AtomList, AppendGetPutIndexRemove) {
  ErrorCapture errors;
  ipod_atom_list list = ipod_atom_list_new();
  ipod_atom a = ipod_atom_new(), b = ipod_atom_new(), c = ipod_atom_new();
  ipod_atom_list_append(list, a);
  ipod_atom_list_append(list, b);
  ipod_atom_list_append(list, a);
  ipod_atom_list_append(list, c);
  EXPECT_EQ(ipod_atom_list_length(list), 4u);
  EXPECT_EQ(ipod_atom_list_index(list, a), 0);
  EXPECT_EQ(ipod_atom_list_index(list, c), 3);
  // Only the first occurrence goes.
  ipod_atom_list_remove(list, a);
  EXPECT_EQ(ipod_atom_list_length(list), 3u);
  EXPECT_EQ(ipod_atom_list_get(list, 0), b);
  EXPECT_EQ(ipod_atom_list_get(list, 1), a);
  ipod_atom_list_put(list, 1, c);
  EXPECT_EQ(ipod_atom_list_get(list, 1), c);

  EXPECT_EQ(ipod_atom_list_get(list, 3), nullptr);
  EXPECT_TRUE(errors.contains("ipod_atom_list_get(): Index out of range (3)\n"));
  EXPECT_EQ(ipod_atom_list_get(list, -1), nullptr);
  ipod_atom_list_put(list, 5, a);
  EXPECT_TRUE(errors.contains("ipod_atom_list_put(): Index out of range (5)\n"));
  ipod_atom outside = ipod_atom_new();
  ipod_atom_list_remove(list, outside);
  ipod_atom_free(outside);
  EXPECT_TRUE(errors.contains("ipod_atom_list_remove(): Atom not found in list\n"));
  ipod_atom_list_remove_index(list, 7);
  EXPECT_TRUE(errors.contains("ipod_atom_list_remove_index(): Index out of range\n"));
  ipod_atom_list_append(list, nullptr);
  EXPECT_TRUE(errors.contains("ipod_atom_list_append(): Appending NULL atom\n"));
  EXPECT_EQ(ipod_atom_list_index(list, nullptr), -1);
  EXPECT_TRUE(errors.contains("ipod_atom_list_index(): Atom to search for is NULL\n"));
  EXPECT_EQ(ipod_atom_list_length(list), 3u);

  ipod_atom_list_free(list);
  ipod_atom_free(a);
  ipod_atom_free(b);
  ipod_atom_free(c);
}

TEST(AtomList, NullListsAreReported) {
  ErrorCapture errors;
  EXPECT_EQ(ipod_atom_list_length(nullptr), 0u);
  ipod_atom_list_get(nullptr, 0);
  ipod_atom_list_put(nullptr, 0, nullptr);
  ipod_atom_list_index(nullptr, nullptr);
  ipod_atom_list_append(nullptr, nullptr);
  ipod_atom_list_remove_index(nullptr, 0);
  ipod_atom_list_remove(nullptr, nullptr);
  ipod_atom_list_remove_and_free_all(nullptr);
  EXPECT_EQ(ipod_atom_list_shallow_copy(nullptr), nullptr);
  unsigned long frees = ipod_atom_list_frees;
  ipod_atom_list_free(nullptr);
  EXPECT_EQ(ipod_atom_list_frees, frees + 1);
  for (const char *m : {"ipod_atom_list_get(): Getting item from invalid list\n",
                        "ipod_atom_list_put(): Getting item from invalid list\n",
                        "ipod_atom_list_index(): Searching in invalid list\n",
                        "ipod_atom_list_append(): Appending to invalid list\n",
                        "ipod_atom_list_remove_index(): Removing item from invalid list\n",
                        "ipod_atom_list_remove(): Removing item from invalid list\n",
                        "ipod_atom_list_remove_and_free_all(): Removing items from invalid list\n",
                        "ipod_atom_list_shallow_copy(): Copying invalid list\n",
                        "ipod_atom_list_free(): Freeing invalid list\n"})
    EXPECT_TRUE(errors.contains(m)) << m;
}

TEST(AtomList, EmptyingFreesAtomsAndCopies) {
  unsigned long atoms = ipod_atom_allocs - ipod_atom_frees;
  unsigned long lists = ipod_atom_list_allocs - ipod_atom_list_frees;
  ipod_atom_list list = ipod_atom_list_new();
  ipod_atom one = ipod_atom_new();
  ipod_atom_list_append(list, one);
  ipod_atom_list shallow = ipod_atom_list_shallow_copy(list);
  EXPECT_EQ(ipod_atom_list_get(shallow, 0), one);
  EXPECT_EQ(ipod_atom_list_shuffle(shallow), shallow);
  ipod_atom_list_remove_index(shallow, 0);
  EXPECT_EQ(ipod_atom_list_length(shallow), 0u);
  EXPECT_EQ(shallow->capacity, 0u);
  ipod_atom_list_remove_and_free_all(list);
  EXPECT_EQ(ipod_atom_list_length(list), 0u);
  // Reading zero atoms only empties the list.
  ipod_atom_list_append(list, ipod_atom_new());
  ipod_io_t io = ipod_io_memory_new();
  EXPECT_EQ(ipod_atom_list_read(list, 0, io, 0), 0);
  EXPECT_EQ(ipod_atom_list_length(list), 0u);
  ipod_io_memory_free(io);
  ipod_atom_list_free(list);
  ipod_atom_list_free(shallow);
  EXPECT_EQ(ipod_atom_allocs - ipod_atom_frees, atoms);
  EXPECT_EQ(ipod_atom_list_allocs - ipod_atom_list_frees, lists);
}

TEST(AtomList, AllocationFailuresDoNotCrash) {
  ErrorCapture errors;
  for (long at = 0; at < 8; at++) {
    ipod_atom_list list = nullptr;
    {
      FailingAllocator fail(at);
      list = ipod_atom_list_new();
      if (list) {
        for (int i = 0; i < 6; i++) {
          ipod_atom a = ipod_atom_new();
          if (a && ipod_atom_list_append(list, a) != 0) ipod_atom_free(a);
        }
        ipod_atom_list s = ipod_atom_list_shallow_copy(list);
        if (s) ipod_atom_list_free(s);
      }
    }
    if (list) {
      ipod_atom_list_remove_and_free_all(list);
      ipod_atom_list_free(list);
    }
  }
}

TEST(Atom, UnknownTagIsReportedNotFatal) {
  ErrorCapture errors;
  unsigned char bytes[] = {'m', 'h', 'l', 'a', 12, 0, 0, 0, 0, 0, 0, 0};
  ipod_io_t io = ipod_io_memory_new_from_memory(bytes, sizeof bytes);
  EXPECT_EQ(ipod_atom_read_next(io, 0), nullptr);
  EXPECT_TRUE(errors.contains("ipod_atom_new_for_tag(): unknown tag 0x6d686c61 (mhla)\n"));
  EXPECT_EQ(ipod_atom_new_for_tag(ipod_tag_from_str("mhia"), 0), nullptr);
  ipod_atom_list list = ipod_atom_list_new();
  ipod_io_seek(io, 0);
  EXPECT_EQ(ipod_atom_list_read(list, 3, io, 0), -1);
  EXPECT_EQ(ipod_atom_list_length(list), 0u);
  ipod_atom_list_free(list);
  ipod_io_memory_free(io);
}

TEST(Atom, GenericAtomAndTags) {
  ErrorCapture errors;
  EXPECT_STREQ(ipod_tag_str(ipod_tag_from_str("mqed")), "mqed");
  EXPECT_EQ(ipod_tag_from_str("mhbd"), 0x6d686264u);
  ipod_atom a = ipod_atom_new();
  EXPECT_EQ(a->tag, 0u);
  EXPECT_EQ(ipod_atom_copy(a), nullptr);
  EXPECT_EQ(ipod_atom_copy(nullptr), nullptr);
  ipod_atom_init(a, 0);
  ipod_atom_write(a, nullptr, 0);
  ipod_atom_prepare_to_write(a, a, 0);
  EXPECT_TRUE(errors.contains("ipod_atom_init_null()\n"));
  EXPECT_TRUE(errors.contains("ipod_atom_write_null()\n"));
  EXPECT_TRUE(errors.contains("ipod_atom_prepare_to_write_null()\n"));
  EXPECT_EQ(ipod_atom_read(nullptr, nullptr, 0), -1);
  EXPECT_TRUE(errors.contains("ipod_atom_read(): Reading invalid atom\n"));
  ipod_atom_free(a);
  ipod_atom_free(nullptr);
  EXPECT_TRUE(errors.contains("ipod_atom_free(): Freeing invalid atom\n"));
  errors.messages.clear();
  ipod_atom_report();
  ipod_atom_list_report();
  ASSERT_EQ(errors.messages.size(), 2u);
  EXPECT_EQ(errors.messages[0].rfind("ipod_atom_report(): ipod_atom allocs ", 0), 0u);
  EXPECT_EQ(errors.messages[1].rfind("ipod_atom_list_report(): ipod_atom_list allocs ", 0), 0u);
}
