// A loadable module that is no chart plug-in: it exports one unrelated
// function.
extern "C" __attribute__((visibility("default"))) int NotAPluginVersion()
{
    return 1;
}
