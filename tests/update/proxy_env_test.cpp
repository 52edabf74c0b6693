// Proxy choice from the environment, and the addresses of the check.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/update/proxy_env.h"
#include "core/update/update_sources.h"

namespace ign {
namespace {

using Env = std::map<std::string, std::string>;

EnvReader Reader(const Env& env) {
  return [&env](const char* name) -> const char* {
    auto it = env.find(name);
    return it == env.end() ? nullptr : it->second.c_str();
  };
}

struct ProxyCase {
  const char* name;
  const char* scheme;
  const char* host;
  Env env;
  ProxyChoice::Kind kind;
  std::string proxyHost = "";
  int port = 0;
};

class ProxyTable : public ::testing::TestWithParam<ProxyCase> {};

TEST_P(ProxyTable, ChoosesTheProxy) {
  const ProxyCase& c = GetParam();
  ProxyChoice p = ProxyFromEnvironment(c.scheme, c.host, Reader(c.env));
  EXPECT_EQ(p.kind, c.kind);
  if (c.kind != ProxyChoice::Kind::None) {
    EXPECT_EQ(p.host, c.proxyHost);
    EXPECT_EQ(p.port, c.port);
  }
}

using K = ProxyChoice::Kind;
INSTANTIATE_TEST_SUITE_P(
    Update, ProxyTable,
    ::testing::Values(
        ProxyCase{"None", "http", "h", {}, K::None},
        ProxyCase{"HttpProxy", "http", "h", {{"http_proxy", "http://p.test:3128/"}}, K::Http, "p.test", 3128},
        ProxyCase{"DefaultPort", "http", "h", {{"http_proxy", "p.test"}}, K::Http, "p.test", 1080},
        ProxyCase{"UpperCaseHttpIgnored", "http", "h", {{"HTTP_PROXY", "p.test:1"}}, K::None},
        ProxyCase{"HttpsUsesItsOwn",
                  "https",
                  "h",
                  {{"http_proxy", "a:1"}, {"https_proxy", "b:2"}},
                  K::Http,
                  "b",
                  2},
        ProxyCase{"HttpsWithoutItsOwn", "https", "h", {{"http_proxy", "a:1"}}, K::None},
        ProxyCase{"NoProxyExact",
                  "http",
                  "127.0.0.1",
                  {{"http_proxy", "p:1"}, {"no_proxy", "localhost,127.0.0.1"}},
                  K::None},
        ProxyCase{"NoProxySubdomain",
                  "http",
                  "www.example.test",
                  {{"http_proxy", "p:1"}, {"no_proxy", ".example.test"}},
                  K::None},
        ProxyCase{"NoProxyNotASuffixMatch",
                  "http",
                  "badexample.test",
                  {{"http_proxy", "p:1"}, {"no_proxy", "example.test"}},
                  K::Http,
                  "p",
                  1},
        ProxyCase{"NoProxyStar", "https", "h", {{"https_proxy", "p:1"}, {"NO_PROXY", "*"}}, K::None},
        ProxyCase{"Socks", "http", "h", {{"http_proxy", "socks5://s:9050"}}, K::Socks5, "s", 9050},
        ProxyCase{"UnknownSchemeIgnored", "http", "h", {{"http_proxy", "gopher://s:1"}}, K::None},
        ProxyCase{"BadPortIgnored", "http", "h", {{"http_proxy", "p:99999"}}, K::None}),
    [](const ::testing::TestParamInfo<ProxyCase>& i) { return std::string(i.param.name); });

TEST(ProxyEnv, CredentialsAndIpv6) {
  ProxyChoice p = ParseProxy("http://user:secret@[::1]:8080");
  EXPECT_EQ(p.kind, ProxyChoice::Kind::Http);
  EXPECT_EQ(p.host, "::1");
  EXPECT_EQ(p.port, 8080);
  EXPECT_EQ(p.user, "user");
  EXPECT_EQ(p.password, "secret");
}

TEST(UpdateSources, EnvironmentOverridesAndTheOffSwitch) {
  Env env;
  UpdateSources s = ReadUpdateSources(Reader(env));
  EXPECT_EQ(s.documentUrl, IGN_DEFAULT_UPDATE_URL[0] ? DocumentUrlFrom(IGN_DEFAULT_UPDATE_URL) : "");
  EXPECT_FALSE(s.checkDisabled);
  env = {
      {"IGN_UPDATE_URL", "http://127.0.0.1:8080"}, {"IGN_WEB_URL", "web.test"}, {"IGN_NO_UPDATE_CHECK", "1"}};
  s = ReadUpdateSources(Reader(env));
  EXPECT_EQ(s.documentUrl, "http://127.0.0.1:8080/old/patch.xml");
  EXPECT_EQ(s.webBase, "web.test");
  EXPECT_TRUE(s.checkDisabled);
  env = {{"IGN_NO_UPDATE_CHECK", "0"}};
  EXPECT_FALSE(ReadUpdateSources(Reader(env)).checkDisabled);
}

TEST(UpdateSources, DocumentAddress) {
  EXPECT_EQ(DocumentUrlFrom("host.test"), "http://host.test/old/patch.xml");
  EXPECT_EQ(DocumentUrlFrom("https://host.test/"), "https://host.test/old/patch.xml");
  EXPECT_EQ(DocumentUrlFrom("http://host.test/other/doc.xml"), "http://host.test/other/doc.xml");
  EXPECT_EQ(DocumentUrlFrom(""), "");
}

}  // namespace
}  // namespace ign
