#include "sdk/cfg_var.h"

#include <map>

namespace sonavel {
namespace {
cfg_var*& head() noexcept {
    static cfg_var* h = nullptr;
    return h;
}
}  // namespace

cfg_var::cfg_var(const guid& id) noexcept : cfg_var_reader(id), next_(head()) { head() = this; }

cfg_var* cfg_var::list_head() noexcept { return head(); }

void cfg_var::config_write_all(stream_writer& writer, abort_callback& abort) {
    for (cfg_var* v = head(); v; v = v->next_) {
        stream_writer_buffer data;
        v->get_data_raw(data, abort);
        writer.write(&v->get_guid(), sizeof(guid), abort);
        if (data.data().size() > 0xFFFFFFFFu) throw exception_overflow();
        writer.write_lendian_u32(std::uint32_t(data.data().size()), abort);
        writer.write(data.data().data(), data.data().size(), abort);
    }
}

void cfg_var::config_read_all(stream_reader& reader, abort_callback& abort) {
    std::map<guid, cfg_var*> vars;
    for (cfg_var* v = head(); v; v = v->next_) vars.emplace(v->get_guid(), v);
    for (;;) {
        guid id;
        if (reader.read(&id, sizeof id, abort) != sizeof id) break;
        std::uint32_t size = reader.read_lendian_u32(abort);
        auto found = vars.find(id);
        if (found == vars.end()) {
            reader.skip(size, abort);
            continue;
        }
        stream_reader_limited limited(reader, size);
        try {
            found->second->set_data_raw(limited, size, abort);
        } catch (const exception_io_data&) {
            // A variable's own data error leaves it at what it had; the entry is still skipped whole.
        }
        limited.skip(limited.remaining(), abort);
    }
}

}  // namespace sonavel
