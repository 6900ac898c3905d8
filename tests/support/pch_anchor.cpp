// Gives the test-support library a translation unit of its own, so its precompiled header
// (shared by every test executable) is built even before any fixture exists.
namespace tabulon_testsupport_anchor {
int anchor = 0;
}
