#pragma once
// Where the update description and the help pages come from. Both have an
// empty build-time default (no host of our own): a build for a real host sets
// IGN_DEFAULT_UPDATE_URL and IGN_DEFAULT_WEB_URL as compile definitions. At
// run time IGN_UPDATE_URL and IGN_WEB_URL override them, and
// IGN_NO_UPDATE_CHECK=1 switches the check off (for distribution packages).
#include <map>
#include <string>

#include "core/update/proxy_env.h"

#ifndef IGN_DEFAULT_UPDATE_URL
#define IGN_DEFAULT_UPDATE_URL ""
#endif
#ifndef IGN_DEFAULT_WEB_URL
#define IGN_DEFAULT_WEB_URL ""
#endif

namespace ign {

constexpr const char* kUpdateDocumentPath = "/old/patch.xml";

struct UpdateSources {
  // The description's full address (the document path appended to a bare
  // host or a base address without a path); empty: the check never runs.
  std::string documentUrl;
  // The web host of the help pages (a base address or a bare host); empty:
  // no web pages.
  std::string webBase;
  bool checkDisabled = false;  // IGN_NO_UPDATE_CHECK set to anything but "0"
  // The proxy variables and SSL_CERT_FILE as the environment had them, for
  // the worker that fetches the description.
  std::map<std::string, std::string> network;
};

UpdateSources ReadUpdateSources(const EnvReader& env);

// "host", "http://host" or "http://host/" gain the document path; an address
// with a path of its own stays as it is. A bare host is taken as http.
std::string DocumentUrlFrom(const std::string& base);

}  // namespace ign
