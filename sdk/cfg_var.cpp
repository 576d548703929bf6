#include "cfg_var.h"

#include <algorithm>

namespace {

cfg_var*& cfg_list_head() {
    static cfg_var* head = nullptr;
    return head;
}

// A record larger than this is damage, not a setting.
constexpr t_uint32 kMaxRecordSize = 16u * 1024u * 1024u;
// Records of unknown variables are skipped in pieces of this size, so that a damaged size
// costs no memory.
constexpr t_size kSkipChunk = 4096;

class memory_reader : public stream_reader {
public:
    memory_reader(const char* data, t_size size) : m_data(data), m_size(size) {}
    t_size read(void* buffer, t_size bytes, abort_callback&) override {
        t_size n = std::min(bytes, m_size - m_offset);
        if (n) std::memcpy(buffer, m_data + m_offset, n);
        m_offset += n;
        return n;
    }

private:
    const char* m_data;
    t_size m_size;
    t_size m_offset = 0;
};

class memory_writer : public stream_writer {
public:
    void write(const void* buffer, t_size bytes, abort_callback&) override {
        const char* p = static_cast<const char*>(buffer);
        m_bytes.insert(m_bytes.end(), p, p + bytes);
    }
    const std::vector<char>& bytes() const { return m_bytes; }

private:
    std::vector<char> m_bytes;
};

cfg_var* find_var(const GUID& guid) {
    for (cfg_var* var = cfg_var::list_head(); var; var = var->get_next())
        if (pfc::guid_equal(var->get_guid(), guid)) return var;
    return nullptr;
}

struct record_header {
    GUID guid;
    t_uint32 size;
};

// False at the end of the stream or when the header is cut short or absurd.
bool read_header(stream_reader* stream, record_header& header, abort_callback& abort) {
    if (stream->read(&header.guid, sizeof(header.guid), abort) != sizeof(header.guid)) return false;
    if (stream->read(&header.size, sizeof(header.size), abort) != sizeof(header.size)) return false;
    return header.size <= kMaxRecordSize;
}

bool skip(stream_reader* stream, t_size size, abort_callback& abort) {
    char chunk[kSkipChunk];
    while (size > 0) {
        t_size piece = std::min(size, kSkipChunk);
        if (stream->read(chunk, piece, abort) != piece) return false;
        size -= piece;
    }
    return true;
}

// The whole value is read before the variable sees it: a record cut short changes nothing.
bool restore(stream_reader* stream, cfg_var& var, t_size size, abort_callback& abort) {
    std::vector<char> bytes(size);
    if (size && stream->read(bytes.data(), size, abort) != size) return false;
    memory_reader value(bytes.data(), bytes.size());
    try {
        var.set_data_raw(&value, size, abort);
    } catch (const exception_io&) {
        // A value that does not parse keeps the variable's current value.
    }
    return true;
}

void read_records(stream_reader* stream, abort_callback& abort) {
    record_header header;
    while (!abort.is_aborting() && read_header(stream, header, abort)) {
        cfg_var* var = find_var(header.guid);
        bool intact = var ? restore(stream, *var, header.size, abort) : skip(stream, header.size, abort);
        if (!intact) return;
    }
}

} // namespace

cfg_var::cfg_var(const GUID& guid) : m_guid(guid), m_next(cfg_list_head()) { cfg_list_head() = this; }

cfg_var* cfg_var::list_head() { return cfg_list_head(); }

void cfg_var::config_write_all(stream_writer* stream, abort_callback& abort) {
    for (cfg_var* var = list_head(); var; var = var->get_next()) {
        memory_writer value;
        var->get_data_raw(&value, abort);
        t_uint32 size = static_cast<t_uint32>(value.bytes().size());
        stream->write(&var->m_guid, sizeof(GUID), abort);
        stream->write(&size, sizeof(size), abort);
        if (size) stream->write(value.bytes().data(), size, abort);
    }
}

void cfg_var::config_read_all(stream_reader* stream, abort_callback& abort) {
    try {
        read_records(stream, abort);
    } catch (const pfc::exception&) {
        // A stream that fails part-way ends the restore like one that is cut short.
    }
}
