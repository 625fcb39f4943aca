#include "ipod_atom_mhit.h"
#include "ipod_atom_kind.h"
#include "ipod_error.h"
#include "ipod_image.h"
#include "ipod_io_memory.h"
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

unsigned char default_fields[IPOD_MHIT_HEADER_SIZE];

void set_defaults(unsigned char *f) {
  std::memset(f, 0, IPOD_MHIT_HEADER_SIZE);
  ipod_put_le32(f + 20, 1);
  ipod_put_le16(f + 126, 0xFFFF);
  ipod_put_le32(f + 144, 12);
  ipod_put_le32(f + 164, 2);
  ipod_put_le32(f + 176, 0x10000);
}

// Drops the image's reference once nothing points into it any more.
void release_image_if_unused(ipod_atom_mhit_struct *d) {
  if (d->image && d->owns_fields && (d->owns_extra || !d->extra) && !d->lazy_children) {
    ipod_image_unref(d->image);
    d->image = nullptr;
  }
}

bool own_fields(ipod_atom_mhit_struct *d) {
  if (d->owns_fields) return true;
  unsigned char *f = static_cast<unsigned char *>(ipod_memory_alloc(IPOD_MHIT_HEADER_SIZE));
  if (!f) {
    ipod_error("ipod_atom_mhit_set_attribute(): Out of memory\n");
    return false;
  }
  std::memcpy(f, d->fields, IPOD_MHIT_HEADER_SIZE);
  d->fields = f;
  d->owns_fields = 1;
  release_image_if_unused(d);
  return true;
}

// Turns the image bytes of the data objects into atoms (the first time a
// track's texts are used or changed).
bool unpack_children(ipod_atom_mhit_struct *d) {
  if (!d->lazy_children) return true;
  ipod_io_t io = ipod_io_memory_new_from_memory(d->lazy_children, d->lazy_length);
  bool ok = io && ipod_atom_list_read(d->children, d->lazy_count, io, 0) == 0;
  if (io) ipod_io_memory_free(io);
  if (!ok) {
    ipod_error("ipod_atom_mhit_unpack(): Cannot unpack data objects\n");
    return false;
  }
  d->lazy_children = nullptr;
  d->lazy_length = d->lazy_count = 0;
  release_image_if_unused(d);
  return true;
}

void mhit_init(uint32_t, void *data) {
  auto *d = static_cast<ipod_atom_mhit_struct *>(data);
  if (!d->fields) {
    d->fields = static_cast<unsigned char *>(ipod_memory_alloc(IPOD_MHIT_HEADER_SIZE));
    d->owns_fields = d->fields != nullptr;
    if (!d->fields) {
      // Shared defaults until memory is found (copied before any change).
      set_defaults(default_fields);
      d->fields = default_fields;
    }
  }
  if (d->owns_fields) set_defaults(d->fields);
  d->extra = nullptr;
  d->extra_length = 0;
  d->owns_extra = 0;
  if (!d->children) d->children = ipod_atom_list_new();
}

void mhit_free(void *data) {
  auto *d = static_cast<ipod_atom_mhit_struct *>(data);
  if (d->children) {
    ipod_atom_list_remove_and_free_all(d->children);
    ipod_atom_list_free(d->children);
  }
  if (d->owns_fields) ipod_memory_free(d->fields);
  if (d->owns_extra) ipod_memory_free(d->extra);
  if (d->image) ipod_image_unref(d->image);
  ipod_memory_free(d);
}

// Checks the data objects in the image without unpacking them, so that a
// damaged file still fails at reading.
bool children_sound(const unsigned char *p, uint32_t length, uint32_t count) {
  uint32_t at = 0;
  for (uint32_t i = 0; i < count; i++) {
    uint32_t total = 0;
    if (ipod_atom_mhod_check_bytes(p + at, length - at, &total) != 0) return false;
    at += total;
  }
  return true;
}

int mhit_read(ipod_io_t io, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mhit_struct *>(data);
  uint32_t start = ipod_io_tell(io) - 4;
  uint32_t header_end, atom_end;
  ipod_io_get_simple_header(io, &header_end, &atom_end);
  if (ipod_atom_check_extent(io, IPOD_TAG_MHIT, start, header_end, atom_end, 16) != 0) return -1;
  uint32_t header_size = header_end - start;
  uint32_t known = header_size_for(version);
  uint32_t take = header_size < known ? header_size : known;
  ipod_image_t image = io->image;
  const unsigned char *bytes = image ? image->data + start : nullptr;
  uint32_t count;
  if (bytes && header_size >= IPOD_MHIT_HEADER_SIZE) {
    // Read from an image: point into it (the fields are copied on change).
    if (d->owns_fields) ipod_memory_free(d->fields);
    d->fields = const_cast<unsigned char *>(bytes);
    d->owns_fields = 0;
    count = ipod_le32(bytes + 12);
  } else {
    // The header is read in one piece: the fields this version knows.
    if (!own_fields(d) || ipod_io_read_all(io, d->fields + 12, take - 12) != take - 12) return -1;
    count = ipod_le32(d->fields + 12);
  }
  if (header_size > known) {
    d->extra_length = header_size - known;
    if (bytes) {
      d->extra = const_cast<unsigned char *>(bytes + known);
      d->owns_extra = 0;
    } else {
      ipod_io_seek(io, start + known);
      d->extra = ipod_io_read_block(io, d->extra_length);
      if (!d->extra) return -1;
      d->owns_extra = 1;
    }
  }
  if (count > (atom_end - header_end) / 12) {
    ipod_error("ipod_atom_read_mhit(): Bad data object count %lu\n", (unsigned long)count);
    return -1;
  }
  if (bytes) {
    const unsigned char *children = image->data + header_end;
    if (!children_sound(children, atom_end - header_end, count)) {
      ipod_error("ipod_atom_read_mhit(): Bad data objects in track at offset %lu\n", (unsigned long)start);
      return -1;
    }
    ipod_atom_list_remove_and_free_all(d->children);
    d->lazy_children = children;
    d->lazy_length = atom_end - header_end;
    d->lazy_count = count;
    if (!d->image) {
      d->image = image;
      ipod_image_ref(image);
    }
    release_image_if_unused(d);
  } else {
    ipod_io_seek(io, header_end);
    if (ipod_atom_list_read(d->children, count, io, version) != 0) return -1;
  }
  ipod_io_seek(io, atom_end);
  return 0;
}

// The words that are copies of others (84 of 80, 136 the sample rate as a
// float, 168 and 172 of 112 and 116).
void derive_fields(unsigned char *f) {
  std::memcpy(f + 84, f + 80, 4);
  float rate = (float)ipod_le16(f + 62);
  std::memcpy(f + 136, &rate, 4);
  std::memcpy(f + 168, f + 112, 4);
  std::memcpy(f + 172, f + 116, 4);
}

void mhit_prepare_to_write(ipod_atom root, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mhit_struct *>(data);
  // Fields still in a file image are not copied out for this: writing
  // derives the same words on the way out.
  if (d->owns_fields) derive_fields(d->fields);
  ipod_atom_list_prepare_to_write(d->children, root, version);
}

void mhit_write(ipod_io_t io, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mhit_struct *>(data);
  uint32_t known = header_size_for(version);
  unsigned char header[IPOD_MHIT_HEADER_SIZE];
  std::memcpy(header, d->fields, known);
  derive_fields(header);
  uint32_t start = ipod_io_put_simple_header(io, IPOD_TAG_MHIT, known + d->extra_length);
  ipod_io_putul(io, d->lazy_children ? d->lazy_count : ipod_atom_list_length(d->children));
  ipod_io_write(io, header + 16, known - 16, nullptr);
  if (d->extra_length) ipod_io_write(io, d->extra, d->extra_length, nullptr);
  if (d->lazy_children)
    ipod_io_write(io, d->lazy_children, d->lazy_length, nullptr);
  else
    ipod_atom_list_write(d->children, io, version);
  ipod_io_backpatch(io, start);
}

void *mhit_copy(void *data) {
  auto *d = static_cast<ipod_atom_mhit_struct *>(data);
  if (!unpack_children(d)) return nullptr;
  auto *c = static_cast<ipod_atom_mhit_struct *>(ipod_memory_alloc(sizeof *d));
  if (!c) return nullptr;
  *c = ipod_atom_mhit_struct{};
  c->fields = static_cast<unsigned char *>(ipod_memory_dup(d->fields, IPOD_MHIT_HEADER_SIZE));
  c->owns_fields = c->fields != nullptr;
  c->extra_length = d->extra_length;
  c->extra = d->extra ? static_cast<unsigned char *>(ipod_memory_dup(d->extra, d->extra_length)) : nullptr;
  c->owns_extra = c->extra != nullptr;
  c->children = ipod_atom_list_copy(d->children);
  if (!c->fields || (d->extra && !c->extra) || !c->children) {
    if (!c->fields) c->owns_fields = 0;
    mhit_free(c);
    return nullptr;
  }
  return c;
}

ipod_atom first_child_of_type(ipod_atom_mhit_struct *d, uint32_t type) {
  if (!unpack_children(d)) return nullptr;
  for (uint32_t i = 0; i < d->children->count; i++) {
    ipod_atom child = d->children->items[i];
    auto *m = static_cast<ipod_atom_mhod_struct *>(ipod_atom_data_of(child, IPOD_TAG_MHOD));
    if (m && m->type == type) return child;
  }
  return nullptr;
}

}  // namespace

// The blocks every track needs are made here, so that a track either exists
// whole or not at all when memory runs out.
ipod_atom ipod_atom_new_mhit(void) {
  ipod_atom atom = ipod_atom_new_of_kind(IPOD_TAG_MHIT, mhit_init, mhit_free, mhit_read, mhit_prepare_to_write,
                                         mhit_write, mhit_copy, sizeof(ipod_atom_mhit_struct));
  if (!atom) return nullptr;
  auto *d = static_cast<ipod_atom_mhit_struct *>(atom->data);
  d->fields = static_cast<unsigned char *>(ipod_memory_alloc(IPOD_MHIT_HEADER_SIZE));
  d->owns_fields = d->fields != nullptr;
  d->children = ipod_atom_list_new();
  if (!d->fields || !d->children) {
    ipod_atom_free(atom);
    return nullptr;
  }
  return atom;
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
  if (!own_fields(d)) return;
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

int ipod_atom_mhit_text_of_type(ipod_atom track, uint32_t type, ipod_atom_mhit_text_view *view) {
  ipod_atom_mhit_struct *d = track_data(track);
  if (!d || !ipod_atom_mhod_type_is_string(type)) return 0;
  if (!d->lazy_children) {
    const ipod_atom_mhod_string_struct *s = ipod_atom_mhit_string_struct(track, type);
    if (!s) return 0;
    *view = ipod_atom_mhit_text_view{s->text, nullptr, s->length / 2};
    return 1;
  }
  // Straight from the image's bytes (already checked at reading).
  const unsigned char *p = d->lazy_children;
  for (uint32_t i = 0, at = 0; i < d->lazy_count; i++) {
    const unsigned char *m = p + at;
    if (ipod_le32(m + 12) == type) {
      const unsigned char *body = m + ipod_le32(m + 4);
      *view = ipod_atom_mhit_text_view{nullptr, body + 16, ipod_le32(body + 4) / 2};
      return 1;
    }
    at += ipod_le32(m + 8);
  }
  return 0;
}

void ipod_atom_mhit_texts_of_types(ipod_atom track, const uint32_t *types, uint32_t count,
                                   ipod_atom_mhit_text_view *views, int *found) {
  for (uint32_t k = 0; k < count; k++) found[k] = 0;
  ipod_atom_mhit_struct *d = track_data(track);
  if (!d) return;
  if (!d->lazy_children) {
    for (uint32_t k = 0; k < count; k++) found[k] = ipod_atom_mhit_text_of_type(track, types[k], &views[k]);
    return;
  }
  const unsigned char *p = d->lazy_children;
  for (uint32_t i = 0, at = 0; i < d->lazy_count; i++) {
    const unsigned char *m = p + at;
    uint32_t type = ipod_le32(m + 12);
    for (uint32_t k = 0; k < count; k++) {
      if (found[k] || types[k] != type || !ipod_atom_mhod_type_is_string(type)) continue;
      const unsigned char *body = m + ipod_le32(m + 4);
      views[k] = ipod_atom_mhit_text_view{nullptr, body + 16, ipod_le32(body + 4) / 2};
      found[k] = 1;
    }
    at += ipod_le32(m + 8);
  }
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
