#pragma once
// The proxy for a request, from the environment as command-line tools read
// it: http_proxy for http, https_proxy (or HTTPS_PROXY) for https, and
// no_proxy (or NO_PROXY) naming hosts reached directly ("*" for all; an entry
// matches the host and its subdomains; a port in an entry is ignored).
#include <functional>
#include <string>
#include <string_view>

namespace ign {

struct ProxyChoice {
  enum class Kind { None, Http, Socks5 };
  Kind kind = Kind::None;
  std::string host;
  int port = 0;
  std::string user, password;
};

using EnvReader = std::function<const char*(const char*)>;

// scheme "http" or "https"; host as in the address (no port).
ProxyChoice ProxyFromEnvironment(std::string_view scheme, std::string_view host, const EnvReader& env);

// "[scheme://][user[:password]@]host[:port][/...]"; an unknown scheme or no
// host gives Kind::None. The port defaults to 1080.
ProxyChoice ParseProxy(std::string_view value);

// Whether a no_proxy list names the host.
bool BypassesProxy(std::string_view noProxy, std::string_view host);

}  // namespace ign
