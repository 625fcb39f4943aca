#include "ipod_atom_mhit.h"
#include "ipod_atom_kind.h"
#include "ipod_error.h"
#include "ipod_memory.h"

#include <cstring>

namespace {

struct field {
  int attribute;
  uint16_t offset;
  uint8_t width;
  bool unix_time;  // stored from 1904, given and taken from 1970
};

const field fields[] = {
    {2000, 16, 4, false},  {2001, 20, 4, false},  {2002, 24, 4, false},  {2003, 28, 2, false},
    {2004, 30, 1, false},  {2005, 31, 1, false},  {2006, 32, 4, false},  {2007, 36, 4, false},
    {2008, 40, 4, false},  {2009, 44, 4, false},  {2010, 48, 4, false},  {2011, 52, 4, false},
    {2012, 56, 4, false},  {2013, 62, 2, false},  {2014, 64, 4, false},  {2015, 68, 4, false},
    {2016, 72, 4, false},  {2017, 76, 4, false},  {2018, 80, 4, false},  {2019, 88, 4, false},
    {2020, 92, 4, false},  {2021, 96, 4, false},  {2022, 100, 4, false}, {2023, 104, 4, false},
    {2024, 108, 4, false}, {2025, 112, 4, false}, {2026, 116, 4, false}, {2027, 120, 1, false},
    {2028, 121, 1, false}, {2029, 122, 2, false}, {2030, 124, 2, false}, {2031, 128, 4, false},
    {2032, 168, 4, false}, {2033, 172, 4, false}, {2034, 188, 4, false}, {2100, 32, 4, true},
    {2101, 88, 4, true},   {2102, 104, 4, true},
};

const field *find_field(int attribute) {
  for (const field &f : fields)
    if (f.attribute == attribute) return &f;
  return nullptr;
}

uint32_t header_size_for(uint32_t version) {
  return version > 11 ? IPOD_MHIT_HEADER_SIZE : IPOD_MHIT_HEADER_SIZE_OLD;
}

ipod_atom_mhit_struct *track_data(ipod_atom atom) {
  return static_cast<ipod_atom_mhit_struct *>(ipod_atom_data_of(atom, IPOD_TAG_MHIT));
}

void mhit_init(uint32_t, void *data) {
  auto *d = static_cast<ipod_atom_mhit_struct *>(data);
  std::memset(d->fields, 0, sizeof d->fields);
  ipod_put_le32(d->fields + 20, 1);
  ipod_put_le16(d->fields + 126, 0xFFFF);
  ipod_put_le32(d->fields + 144, 12);
  ipod_put_le32(d->fields + 164, 2);
  ipod_put_le32(d->fields + 176, 0x10000);
  d->extra = nullptr;
  d->extra_length = 0;
  if (!d->children) d->children = ipod_atom_list_new();
}

void mhit_free(void *data) {
  auto *d = static_cast<ipod_atom_mhit_struct *>(data);
  if (d->children) {
    ipod_atom_list_remove_and_free_all(d->children);
    ipod_atom_list_free(d->children);
  }
  ipod_memory_free(d->extra);
  ipod_memory_free(d);
}

int mhit_read(ipod_io_t io, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mhit_struct *>(data);
  uint32_t start = ipod_io_tell(io) - 4;
  uint32_t header_end, atom_end;
  ipod_io_get_simple_header(io, &header_end, &atom_end);
  if (ipod_atom_check_extent(io, IPOD_TAG_MHIT, start, header_end, atom_end, 16) != 0) return -1;
  // The header is read in one piece: the fields this version knows, then
  // whatever the writer put beyond them.
  uint32_t header_size = header_end - start;
  uint32_t known = header_size_for(version);
  uint32_t take = header_size < known ? header_size : known;
  if (ipod_io_read_all(io, d->fields + 12, take - 12) != take - 12) return -1;
  uint32_t count = ipod_le32(d->fields + 12);
  ipod_memory_free(d->extra);
  d->extra = nullptr;
  d->extra_length = 0;
  if (header_size > known) {
    d->extra = ipod_io_read_block(io, header_size - known);
    if (!d->extra) return -1;
    d->extra_length = header_size - known;
  }
  ipod_io_seek(io, header_end);
  if (count > (atom_end - header_end) / 12) {
    ipod_error("ipod_atom_read_mhit(): Bad data object count %lu\n", (unsigned long)count);
    return -1;
  }
  if (ipod_atom_list_read(d->children, count, io, version) != 0) return -1;
  ipod_io_seek(io, atom_end);
  return 0;
}

void mhit_prepare_to_write(ipod_atom root, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mhit_struct *>(data);
  std::memcpy(d->fields + 84, d->fields + 80, 4);
  float rate = (float)ipod_le16(d->fields + 62);
  uint32_t bits;
  std::memcpy(&bits, &rate, 4);
  ipod_put_le32(d->fields + 136, bits);
  std::memcpy(d->fields + 168, d->fields + 112, 4);
  std::memcpy(d->fields + 172, d->fields + 116, 4);
  ipod_atom_list_prepare_to_write(d->children, root, version);
}

void mhit_write(ipod_io_t io, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mhit_struct *>(data);
  uint32_t known = header_size_for(version);
  uint32_t start = ipod_io_put_simple_header(io, IPOD_TAG_MHIT, known + d->extra_length);
  ipod_io_putul(io, ipod_atom_list_length(d->children));
  ipod_io_write(io, d->fields + 16, known - 16, nullptr);
  if (d->extra_length) ipod_io_write(io, d->extra, d->extra_length, nullptr);
  ipod_atom_list_write(d->children, io, version);
  ipod_io_backpatch(io, start);
}

void *mhit_copy(void *data) {
  auto *d = static_cast<ipod_atom_mhit_struct *>(data);
  auto *c = static_cast<ipod_atom_mhit_struct *>(ipod_memory_alloc(sizeof *d));
  if (!c) return nullptr;
  std::memcpy(c->fields, d->fields, sizeof d->fields);
  c->extra_length = d->extra_length;
  c->extra = d->extra ? static_cast<unsigned char *>(ipod_memory_dup(d->extra, d->extra_length)) : nullptr;
  c->children = ipod_atom_list_copy(d->children);
  if ((d->extra && !c->extra) || !c->children) {
    if (c->children) {
      ipod_atom_list_remove_and_free_all(c->children);
      ipod_atom_list_free(c->children);
    }
    ipod_memory_free(c->extra);
    ipod_memory_free(c);
    return nullptr;
  }
  return c;
}

ipod_atom first_child_of_type(ipod_atom_mhit_struct *d, uint32_t type) {
  for (uint32_t i = 0; i < d->children->count; i++) {
    ipod_atom child = d->children->items[i];
    auto *m = static_cast<ipod_atom_mhod_struct *>(ipod_atom_data_of(child, IPOD_TAG_MHOD));
    if (m && m->type == type) return child;
  }
  return nullptr;
}

}  // namespace

ipod_atom ipod_atom_new_mhit(void) {
  return ipod_atom_new_of_kind(IPOD_TAG_MHIT, mhit_init, mhit_free, mhit_read, mhit_prepare_to_write,
                               mhit_write, mhit_copy, sizeof(ipod_atom_mhit_struct));
}

uint32_t ipod_atom_mhit_get_attribute(ipod_atom track, int attribute) {
  ipod_atom_mhit_struct *d = track_data(track);
  if (!d) {
    ipod_error("ipod_atom_mhit_get_attribute(): Invalid track atom\n");
    return 0;
  }
  const field *f = find_field(attribute);
  if (!f) {
    ipod_error("ipod_atom_mhit_get_attribute(): Invalid tag %d\n", attribute);
    return 0;
  }
  const unsigned char *p = d->fields + f->offset;
  uint32_t v = f->width == 4 ? ipod_le32(p) : f->width == 2 ? ipod_le16(p) : p[0];
  return f->unix_time ? v - IPOD_MAC_TIME_OFFSET : v;
}

void ipod_atom_mhit_set_attribute(ipod_atom track, int attribute, uint32_t value) {
  ipod_atom_mhit_struct *d = track_data(track);
  if (!d) {
    ipod_error("ipod_atom_mhit_set_attribute(): Invalid track atom\n");
    return;
  }
  const field *f = find_field(attribute);
  if (!f) {
    ipod_error("ipod_atom_mhit_set_attribute(): Invalid tag %d\n", attribute);
    return;
  }
  if (f->unix_time) value += IPOD_MAC_TIME_OFFSET;
  unsigned char *p = d->fields + f->offset;
  if (f->width == 4)
    ipod_put_le32(p, value);
  else if (f->width == 2)
    ipod_put_le16(p, (uint16_t)value);
  else
    p[0] = (unsigned char)value;
}

ipod_string ipod_atom_mhit_get_text_utf8(ipod_atom track, int type, ipod_string s) {
  s = s ? ipod_string_zero(s) : ipod_string_new();
  ipod_atom_mhit_struct *d = track_data(track);
  if (!d) return s;
  ipod_atom mhod = first_child_of_type(d, (uint32_t)type);
  if (!mhod) return s;
  if (type >= 1 && type <= 14) return ipod_atom_mhod_string_get(mhod, s);
  if (type == 15 || type == 16) return ipod_atom_mhod_url_get(mhod, s);
  ipod_error("ipod_atom_mhit_get_text_utf8(): Non-string type %d\n", type);
  return s;
}

void ipod_atom_mhit_set_text_utf8(ipod_atom track, int type, const char *text) {
  ipod_atom_mhit_struct *d = track_data(track);
  if (!d) return;
  if (!((type >= 1 && type <= 16))) {
    ipod_error("ipod_atom_mhit_set_text_utf8(): Non-string type %d\n", type);
    return;
  }
  ipod_atom mhod = first_child_of_type(d, (uint32_t)type);
  if (mhod) {
    if (type <= 14)
      ipod_atom_mhod_string_set(mhod, text);
    else
      ipod_atom_mhod_url_set(mhod, text);
    return;
  }
  ipod_atom fresh = type <= 14 ? ipod_atom_new_mhod_string((uint32_t)type, text)
                               : ipod_atom_new_mhod_url((uint32_t)type, text);
  if (fresh && ipod_atom_list_append(d->children, fresh) != 0) ipod_atom_free(fresh);
}

int ipod_atom_mhit_has_text(ipod_atom track, int type) {
  ipod_atom_mhit_struct *d = track_data(track);
  return (d && first_child_of_type(d, (uint32_t)type)) ? 1 : 0;
}

const ipod_atom_mhod_string_struct *ipod_atom_mhit_string_struct(ipod_atom track, uint32_t type) {
  ipod_atom_mhit_struct *d = track_data(track);
  if (!d || !ipod_atom_mhod_type_is_string(type)) return nullptr;
  ipod_atom mhod = first_child_of_type(d, type);
  return mhod ? &static_cast<ipod_atom_mhod_struct *>(mhod->data)->body.string : nullptr;
}

const ipod_atom_mhod_string_struct *ipod_atom_mhit_title_struct(ipod_atom track) {
  return ipod_atom_mhit_string_struct(track, 1);
}
const ipod_atom_mhod_string_struct *ipod_atom_mhit_album_struct(ipod_atom track) {
  return ipod_atom_mhit_string_struct(track, 3);
}
const ipod_atom_mhod_string_struct *ipod_atom_mhit_artist_struct(ipod_atom track) {
  return ipod_atom_mhit_string_struct(track, 4);
}
const ipod_atom_mhod_string_struct *ipod_atom_mhit_genre_struct(ipod_atom track) {
  return ipod_atom_mhit_string_struct(track, 5);
}
const ipod_atom_mhod_string_struct *ipod_atom_mhit_composer_struct(ipod_atom track) {
  return ipod_atom_mhit_string_struct(track, 12);
}
