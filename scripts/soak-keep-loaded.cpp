// Preloaded into the program during the sanitizer soak. Libraries that the platform
// opens and closes again on its own (Mesa's drivers, gconv and NSS modules, input
// methods) would otherwise be gone when the leak check runs at exit, and their frames
// in a leak report would read "<unknown module>", so nobody could tell whose leak
// it is. Keeping every library mapped until the process ends costs nothing there.
extern "C" int dlclose(void*)
{
    return 0;
}
