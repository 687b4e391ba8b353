// The launcher against the local game portal, reached under the build's
// host names through the virtual network.
#pragma once

#include <string>

#include "LauncherFixture.h"
#include "PortalProcess.h"

class GameTest : public LauncherTest {
 protected:
  testing_support::ProgramResult Play(testing_support::ProgramRun run) {
    run.env["WINSIM_HOSTS"] = std::string(LORVANE_PORTAL_HOST) + "=127.0.0.1," + LORVANE_FORUM_HOST + "=127.0.0.1";
    run.env["WINSIM_HTTP_PORT"] = std::to_string(m_portal.Port());
    return Start(run);
  }

  // A game URL on the portal for a server id parameter.
  static std::string GameUrl(const std::string& serverParameter) {
    return std::string("http://") + LORVANE_PORTAL_HOST + "/clientex/bin/index.php?uid=demo&server_id=" +
           serverParameter + "&sign=test";
  }

  static nlohmann::json Main(const nlohmann::json& dump) { return testing_support::WindowsWithTemplate(dump, 102).at(0); }
  static nlohmann::json Panel(const nlohmann::json& dump) { return testing_support::WindowsWithTemplate(dump, 132).at(0); }
  static nlohmann::json Browser(const nlohmann::json& dump, int dialog) {
    for (const auto& b : dump.at("browsers")) {
      if (b.at("dialog") == dialog) return b;
    }
    return nullptr;
  }
  // The screen point at the centre of a child of the panel.
  static std::string PanelControlCentre(const nlohmann::json& dump, int id) {
    for (const auto& c : Panel(dump).at("children")) {
      if (c.at("id") == id) {
        const auto& r = c.at("rect");
        return std::to_string((r[0].get<int>() + r[2].get<int>()) / 2) + " " +
               std::to_string((r[1].get<int>() + r[3].get<int>()) / 2);
      }
    }
    return "0 0";
  }

  testing_support::PortalProcess m_portal;
};
