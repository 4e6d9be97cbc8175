#pragma once

// The maker's web site.
inline constexpr const char* kWebHost = "www.tessarinds.com";
inline constexpr const char* kHomePage = "http://www.tessarinds.com/";
inline constexpr const char* kDownloadsPage = "http://www.tessarinds.com/downloads.html";
inline constexpr const char* kContactPage = "http://www.tessarinds.com/contact.html";
