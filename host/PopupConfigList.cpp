#include "host/PopupConfigList.h"

namespace quennet {

void PopupConfigList::get_data_raw(sonavel::stream_writer& writer, sonavel::abort_callback& abort) {
    writer.write_lendian_u32(0, abort);
}

void PopupConfigList::set_data_raw(sonavel::stream_reader& reader, std::size_t, sonavel::abort_callback& abort) {
    reader.read_lendian_u32(abort);
}

}  // namespace quennet
