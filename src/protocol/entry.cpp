// The exported entry point: one call per host event, a switch over messages, and the
// common ending that hands the result back to the host.
#include "host_callback.h"
#include "messages.h"

// Exported by name, and on 32-bit Windows undecorated (figplot.def), as hosts look it up.
#if defined(_WIN32)
#define FIG_EXPORT __declspec(dllexport)
#else
#define FIG_EXPORT __attribute__((visibility("default")))
#endif

namespace {

HMODULE moduleHandle = nullptr;

// After every message: drop the picture the message fetched, then store the result.
int32_t FinishMessage(fig::CallContext &call) {
    if (call.picture) DeleteObject(call.picture);
    call.picture = nullptr;
    const double result = call.result;
    return fig::SetParam(ParamReturnValue, ValueNumber, &result, call.callback);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH && !moduleHandle) moduleHandle = instance;
    if (reason == DLL_PROCESS_DETACH) moduleHandle = nullptr;
    return TRUE;
}

extern "C" FIG_EXPORT int32_t FIGPLOT_STDCALL figPlot(int32_t message, void **instanceSlot, void *window,
                                                      intptr_t, intptr_t, FigHostCallback callback) {
    if (!callback) return 0;  // no way to answer
    fig::CallContext call{callback, static_cast<HWND>(window), nullptr, 0, 0, nullptr};
    switch (static_cast<int16_t>(message)) {
        case MsgOpen: fig::OpenInstance(call, instanceSlot); break;
        case MsgCall:
            // Only a call needs the instance; a host may pass a stale slot with the others.
            call.instance = instanceSlot ? static_cast<fig::InstanceData *>(*instanceSlot) : nullptr;
            fig::CallFunction(call);
            break;
        case MsgClose: fig::CloseInstance(instanceSlot); break;
        case MsgDescribe: fig::DescribeFunction(moduleHandle, callback); break;
        case MsgFlagRecord: fig::FlagRequestRecord(callback); break;
        default: break;
    }
    return FinishMessage(call);
}
