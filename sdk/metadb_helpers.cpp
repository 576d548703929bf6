// Track facts that the player offers only through its information containers.
#include "metadb.h"

double metadb_handle::get_length() const {
    service_ptr_t<metadb_info_container> info; // empty: the callee constructs over it
    get_info_ref(&info);
    return info.is_valid() ? info->info().get_length() : 0;
}
