#include "core/update/update_sources.h"

namespace ign {

std::string DocumentUrlFrom(const std::string& base) {
  std::string url = base;
  while (!url.empty() && (url.back() == ' ' || url.back() == '\n' || url.back() == '\r')) url.pop_back();
  while (!url.empty() && url.front() == ' ') url.erase(0, 1);
  if (url.empty()) return url;
  std::size_t scheme = url.find("://");
  if (scheme == std::string::npos) {
    url = "http://" + url;
    scheme = 4;
  }
  const std::size_t path = url.find('/', scheme + 3);
  if (path == std::string::npos) return url + kUpdateDocumentPath;
  if (path == url.size() - 1) return url.substr(0, path) + kUpdateDocumentPath;
  return url;
}

UpdateSources ReadUpdateSources(const EnvReader& env) {
  UpdateSources s;
  const char* url = env("IGN_UPDATE_URL");
  s.documentUrl = DocumentUrlFrom(url ? url : IGN_DEFAULT_UPDATE_URL);
  const char* web = env("IGN_WEB_URL");
  s.webBase = web ? web : IGN_DEFAULT_WEB_URL;
  const char* off = env("IGN_NO_UPDATE_CHECK");
  s.checkDisabled = off && *off && std::string(off) != "0";
  for (const char* name :
       {"http_proxy", "https_proxy", "HTTPS_PROXY", "no_proxy", "NO_PROXY", "SSL_CERT_FILE"})
    if (const char* value = env(name)) s.network[name] = value;
  return s;
}

}  // namespace ign
