#include "app/page_saver.h"

#include <algorithm>
#include <sys/resource.h>

namespace cli {

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

std::size_t FlushGroupSize() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max &&
        limit.rlim_cur < 4096) {
        limit.rlim_cur = std::min<rlim_t>(limit.rlim_max, 4096);
        ::setrlimit(RLIMIT_NOFILE, &limit);
        ::getrlimit(RLIMIT_NOFILE, &limit);
    }
    const rlim_t room = limit.rlim_cur > 64 ? limit.rlim_cur - 64 : 1;
    return static_cast<std::size_t>(std::min<rlim_t>(room, 2048));
}

} // namespace cli

using namespace cli;

bool WriteFileAtomically(const std::string& path, const std::string& data, std::string& error) {
    OutputTarget target;
    if (!ResolveOutput(path, target, error))
        return false;
    PageSaver saver;
    if (!saver.Add(path, target, data.data(), data.size(), nullptr, 0, error))
        return false;
    const std::vector<PageSaver::Done> done = saver.Commit();
    error = done.front().error;
    return error.empty();
}
