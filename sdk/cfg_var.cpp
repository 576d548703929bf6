#include "cfg_var.h"

#include <memory>

namespace {

cfg_var*& cfg_list_head() {
    static cfg_var* head = nullptr;
    return head;
}

// A record larger than this is damage, not a setting.
constexpr t_uint32 kMaxRecordSize = 16u * 1024u * 1024u;

class memory_reader : public stream_reader {
public:
    memory_reader(const char* data, t_size size) : m_data(data), m_size(size) {}
    t_size read(void* buffer, t_size bytes, abort_callback&) override {
        t_size n = bytes < m_size - m_offset ? bytes : m_size - m_offset;
        std::memcpy(buffer, m_data + m_offset, n);
        m_offset += n;
        return n;
    }
private:
    const char* m_data;
    t_size m_size;
    t_size m_offset = 0;
};

cfg_var* find_var(const GUID& guid) {
    for (cfg_var* var = cfg_var::list_head(); var; var = var->get_next())
        if (pfc::guid_equal(var->get_guid(), guid)) return var;
    return nullptr;
}

class counting_writer : public stream_writer {
public:
    void write(const void* buffer, t_size bytes, abort_callback&) override {
        const char* p = static_cast<const char*>(buffer);
        m_bytes.insert(m_bytes.end(), p, p + bytes);
    }
    const std::vector<char>& bytes() const { return m_bytes; }
private:
    std::vector<char> m_bytes;
};

} // namespace

cfg_var::cfg_var(const GUID& guid) : m_guid(guid), m_next(cfg_list_head()) { cfg_list_head() = this; }

cfg_var* cfg_var::list_head() { return cfg_list_head(); }

void cfg_var::config_write_all(stream_writer* stream, abort_callback& abort) {
    for (cfg_var* var = list_head(); var; var = var->get_next()) {
        counting_writer value;
        var->get_data_raw(&value, abort);
        t_uint32 size = static_cast<t_uint32>(value.bytes().size());
        stream->write(&var->m_guid, sizeof(GUID), abort);
        stream->write(&size, sizeof(size), abort);
        if (size) stream->write(value.bytes().data(), size, abort);
    }
}

void cfg_var::config_read_all(stream_reader* stream, abort_callback& abort) {
    for (;;) {
        GUID guid;
        t_uint32 size = 0;
        if (stream->read(&guid, sizeof(guid), abort) != sizeof(guid)) return;
        if (stream->read(&size, sizeof(size), abort) != sizeof(size)) return;
        if (size > kMaxRecordSize) return;
        std::vector<char> bytes(size);
        if (size && stream->read(bytes.data(), size, abort) != size) return;
        cfg_var* var = find_var(guid);
        if (!var) continue;
        memory_reader value(bytes.data(), bytes.size());
        try {
            var->set_data_raw(&value, size, abort);
        } catch (const exception_io&) {
            // A value that does not parse keeps the variable's current value.
        }
    }
}
