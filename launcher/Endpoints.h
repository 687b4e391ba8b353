// The web endpoints: host names are build configuration, paths are fixed.
#pragma once

#ifndef LORVANE_PORTAL_HOST
#error "LORVANE_PORTAL_HOST names the host of the game portal"
#endif
#ifndef LORVANE_FORUM_HOST
#error "LORVANE_FORUM_HOST names the host of the forum"
#endif

#define LORVANE_PORTAL_URL "http://" LORVANE_PORTAL_HOST
#define LORVANE_FORUM_URL "http://" LORVANE_FORUM_HOST

inline constexpr char kStartPageUrl[] = LORVANE_PORTAL_URL "/quom/wd/index.html";
inline constexpr char kHomePageUrl[] = LORVANE_PORTAL_URL "/quom";
inline constexpr char kServiceUrl[] = LORVANE_PORTAL_URL "/action/redirect_kf.php?gid=1035";
inline constexpr char kPayUrl[] = LORVANE_PORTAL_URL "/action/redirect_pay.php?gid=1035";
inline constexpr char kForumUrl[] = LORVANE_FORUM_URL "/forum.php?gid=300";
