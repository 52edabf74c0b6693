#include "core/update/proxy_env.h"

namespace ign {

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return out;
}

const char* FirstSet(const EnvReader& env, const char* a, const char* b) {
  const char* v = env(a);
  if (v && *v) return v;
  v = b ? env(b) : nullptr;
  return v && *v ? v : nullptr;
}

}  // namespace

ProxyChoice ParseProxy(std::string_view value) {
  ProxyChoice p;
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  ProxyChoice::Kind kind = ProxyChoice::Kind::Http;
  if (std::size_t s = value.find("://"); s != std::string_view::npos) {
    const std::string scheme = Lower(value.substr(0, s));
    if (scheme == "http")
      kind = ProxyChoice::Kind::Http;
    else if (scheme == "socks5" || scheme == "socks5h")
      kind = ProxyChoice::Kind::Socks5;
    else
      return p;
    value.remove_prefix(s + 3);
  }
  value = value.substr(0, value.find('/'));
  if (std::size_t at = value.rfind('@'); at != std::string_view::npos) {
    std::string_view cred = value.substr(0, at);
    value.remove_prefix(at + 1);
    std::size_t colon = cred.find(':');
    p.user = std::string(cred.substr(0, colon));
    if (colon != std::string_view::npos) p.password = std::string(cred.substr(colon + 1));
  }
  int port = 1080;
  std::string_view host = value;
  if (!host.empty() && host.front() == '[') {  // [v6]:port
    std::size_t end = host.find(']');
    if (end == std::string_view::npos) return ProxyChoice{};
    std::string_view rest = host.substr(end + 1);
    host = host.substr(1, end - 1);
    if (!rest.empty() && rest.front() == ':')
      value = rest;
    else
      value = {};
  } else if (std::size_t colon = host.rfind(':'); colon != std::string_view::npos) {
    value = host.substr(colon);
    host = host.substr(0, colon);
  } else {
    value = {};
  }
  if (!value.empty()) {  // ":digits"
    std::string_view digits = value.substr(1);
    if (digits.empty() || digits.size() > 5) return ProxyChoice{};
    int n = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') return ProxyChoice{};
      n = n * 10 + (c - '0');
    }
    if (n < 1 || n > 65535) return ProxyChoice{};
    port = n;
  }
  if (host.empty()) return ProxyChoice{};
  p.kind = kind;
  p.host = std::string(host);
  p.port = port;
  return p;
}

bool BypassesProxy(std::string_view noProxy, std::string_view host) {
  const std::string h = Lower(host);
  std::size_t pos = 0;
  while (pos <= noProxy.size()) {
    std::size_t end = noProxy.find_first_of(", ", pos);
    if (end == std::string_view::npos) end = noProxy.size();
    std::string entry = Lower(noProxy.substr(pos, end - pos));
    pos = end + 1;
    if (entry.empty()) continue;
    if (entry == "*") return true;
    // A port in the entry does not count (but an IPv6 address keeps its colons).
    if (entry.front() != '[' && entry.find(':') == entry.rfind(':')) entry = entry.substr(0, entry.find(':'));
    while (!entry.empty() && entry.front() == '.') entry.erase(0, 1);
    if (entry.empty()) continue;
    if (h == entry) return true;
    if (h.size() > entry.size() && h.compare(h.size() - entry.size(), entry.size(), entry) == 0 &&
        h[h.size() - entry.size() - 1] == '.')
      return true;
  }
  return false;
}

ProxyChoice ProxyFromEnvironment(std::string_view scheme, std::string_view host, const EnvReader& env) {
  const std::string s = Lower(scheme);
  const char* value = nullptr;
  if (s == "http")
    value = FirstSet(env, "http_proxy", nullptr);  // HTTP_PROXY is left alone, as other tools do
  else if (s == "https")
    value = FirstSet(env, "https_proxy", "HTTPS_PROXY");
  if (!value) return {};
  if (const char* no = FirstSet(env, "no_proxy", "NO_PROXY"); no && BypassesProxy(no, host)) return {};
  return ParseProxy(value);
}

}  // namespace ign
