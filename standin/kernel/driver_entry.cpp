// tavrex.sys: the kernel-mode shell that serves the protocol core as "\Device\tavrex" to user programs.
// Built freestanding: no C or C++ runtime, no static constructors; only ntoskrnl.exe and hal.dll.
// intrin.h and the ddk's wdm.h both define these two; keep the ddk's, which C++ then sees once.
#define __INTRINSIC_DEFINED_InterlockedBitTestAndSet
#define __INTRINSIC_DEFINED_InterlockedBitTestAndReset
#include <ntddk.h>

#include <new>

#include "standin/protocol_core.h"

namespace {

// The device type the request codes carry (0x000F....).
constexpr DEVICE_TYPE kDeviceType = 0x000F;

// Big enough for any request input; longer inputs are cut, and no request reads past its 68-byte record.
constexpr ULONG kMaxInput = 256;

// The DWORD values of the Parameters key, read at PASSIVE_LEVEL. The core reads settings while the spin
// lock holds the IRQL at DISPATCH_LEVEL, where the registry may not be touched, so it reads this copy.
struct ParameterSnapshot {
    static constexpr ULONG kMaxValues = 32;
    static constexpr ULONG kMaxName = 32;
    struct Value {
        char name[kMaxName];  // ASCII, zero-terminated
        ULONG data;
    };
    Value values[kMaxValues];
    ULONG count;
};

// -nostartfiles means no static constructor ever runs, so the core is built in place by DriverEntry. (A
// constant-initialised core would also work, but would carry its zeroed request log in the file.)
alignas(standin::ProtocolCore) unsigned char gCoreStorage[sizeof(standin::ProtocolCore)];
standin::ProtocolCore* gCore;
ParameterSnapshot gParameters;  // what the core sees; changed only under gLock
KSPIN_LOCK gLock;
WCHAR gParametersPathBuffer[256];
UNICODE_STRING gParametersPath;

UNICODE_STRING gDeviceName;
UNICODE_STRING gLinkName;
WCHAR gDeviceNameBuffer[] = L"\\Device\\tavrex";
WCHAR gLinkNameBuffer[] = L"\\DosDevices\\tavrex";

bool SameNameIgnoringCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        char x = *a, y = *b;
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
        if (x == 0) return true;
    }
}

// Registry value names compare without case, as the registry does.
bool ReadSnapshotDword(void* context, const char* name, std::uint32_t* value) {
    const auto* snapshot = static_cast<const ParameterSnapshot*>(context);
    for (ULONG i = 0; i < snapshot->count; ++i) {
        if (SameNameIgnoringCase(snapshot->values[i].name, name)) {
            *value = snapshot->values[i].data;
            return true;
        }
    }
    return false;
}

// A missing key leaves the snapshot empty, so the core keeps its defaults.
void ReadParameters(ParameterSnapshot& snapshot) {
    snapshot.count = 0;
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &gParametersPath, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, nullptr,
                               nullptr);
    HANDLE key = nullptr;
    if (!NT_SUCCESS(ZwOpenKey(&key, KEY_QUERY_VALUE, &attributes))) return;

    // Room for a value name of kMaxName characters and a DWORD; longer entries are not ours and are skipped.
    ULONG buffer[(sizeof(KEY_VALUE_FULL_INFORMATION) + 2 * ParameterSnapshot::kMaxName * sizeof(WCHAR) + 16) /
                 sizeof(ULONG)];
    for (ULONG index = 0; snapshot.count < ParameterSnapshot::kMaxValues; ++index) {
        ULONG length = 0;
        const NTSTATUS status =
            ZwEnumerateValueKey(key, index, KeyValueFullInformation, buffer, sizeof buffer, &length);
        if (status == STATUS_NO_MORE_ENTRIES) break;
        if (!NT_SUCCESS(status)) {
            if (status == STATUS_BUFFER_OVERFLOW || status == STATUS_BUFFER_TOO_SMALL) continue;
            break;
        }
        const auto* info = reinterpret_cast<const KEY_VALUE_FULL_INFORMATION*>(buffer);
        const ULONG nameLength = info->NameLength / sizeof(WCHAR);
        if (info->Type != REG_DWORD || info->DataLength != sizeof(ULONG) || nameLength == 0 ||
            nameLength >= ParameterSnapshot::kMaxName || info->DataOffset + sizeof(ULONG) > sizeof buffer)
            continue;
        ParameterSnapshot::Value& value = snapshot.values[snapshot.count];
        bool ascii = true;
        for (ULONG i = 0; i < nameLength; ++i) {
            const WCHAR c = info->Name[i];
            if (c == 0 || c > 0x7F) ascii = false;
            value.name[i] = static_cast<char>(c);
        }
        if (!ascii) continue;
        value.name[nameLength] = 0;
        value.data = *reinterpret_cast<const ULONG*>(reinterpret_cast<const UCHAR*>(buffer) + info->DataOffset);
        ++snapshot.count;
    }
    ZwClose(key);
}

NTSTATUS ToNtStatus(standin::Status status) {
    switch (status) {
        case standin::Status::Ok: return STATUS_SUCCESS;
        case standin::Status::BufferTooSmall: return STATUS_BUFFER_TOO_SMALL;
        case standin::Status::DeviceNotReady: return STATUS_DEVICE_NOT_READY;
        case standin::Status::InvalidRequest: break;
    }
    return STATUS_INVALID_DEVICE_REQUEST;
}

NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

NTSTATUS NTAPI OpenOrClose(PDEVICE_OBJECT, PIRP irp) { return Complete(irp, STATUS_SUCCESS, 0); }

NTSTATUS NTAPI DeviceControl(PDEVICE_OBJECT, PIRP irp) {
    const PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    const ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
    if (METHOD_FROM_CTL_CODE(code) != METHOD_BUFFERED) return Complete(irp, STATUS_INVALID_DEVICE_REQUEST, 0);

    // Buffered I/O hands in and out the same system buffer: the core must not see its input overwritten.
    UCHAR* system = static_cast<UCHAR*>(irp->AssociatedIrp.SystemBuffer);
    ULONG inSize = stack->Parameters.DeviceIoControl.InputBufferLength;
    ULONG outSize = stack->Parameters.DeviceIoControl.OutputBufferLength;
    if (!system) inSize = outSize = 0;
    if (inSize > kMaxInput) inSize = kMaxInput;
    UCHAR input[kMaxInput];
    for (ULONG i = 0; i < inSize; ++i) input[i] = system[i];

    // Reading the registry needs PASSIVE_LEVEL, so it happens before the lock is taken.
    ParameterSnapshot fresh;
    const bool reload = code == tavrex::REQ_RELOAD_SETTINGS;
    if (reload) ReadParameters(fresh);

    std::uint32_t returned = 0;
    KIRQL oldIrql;
    KeAcquireSpinLock(&gLock, &oldIrql);
    if (reload) gParameters = fresh;
    const standin::Status status =
        gCore->handle(code, inSize ? input : nullptr, inSize, outSize ? system : nullptr, outSize, &returned);
    KeReleaseSpinLock(&gLock, oldIrql);

    const NTSTATUS result = ToNtStatus(status);
    return Complete(irp, result, NT_SUCCESS(result) ? returned : 0);
}

void NTAPI Unload(PDRIVER_OBJECT driver) {
    IoDeleteSymbolicLink(&gLinkName);
    if (driver->DeviceObject) IoDeleteDevice(driver->DeviceObject);
}

// "<service key>\Parameters", cut to nothing if it would not fit.
void SetParametersPath(PCUNICODE_STRING serviceKey) {
    static const WCHAR kSuffix[] = L"\\Parameters";
    const ULONG suffixChars = sizeof kSuffix / sizeof(WCHAR) - 1;
    const ULONG serviceChars = serviceKey ? serviceKey->Length / sizeof(WCHAR) : 0;
    const ULONG capacity = sizeof gParametersPathBuffer / sizeof(WCHAR);
    ULONG length = 0;
    if (serviceChars + suffixChars < capacity) {
        for (ULONG i = 0; i < serviceChars; ++i) gParametersPathBuffer[length++] = serviceKey->Buffer[i];
        for (ULONG i = 0; i < suffixChars; ++i) gParametersPathBuffer[length++] = kSuffix[i];
    }
    gParametersPathBuffer[length] = 0;
    gParametersPath.Buffer = gParametersPathBuffer;
    gParametersPath.Length = static_cast<USHORT>(length * sizeof(WCHAR));
    gParametersPath.MaximumLength = static_cast<USHORT>(capacity * sizeof(WCHAR));
}

}  // namespace

extern "C" NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
    KeInitializeSpinLock(&gLock);
    SetParametersPath(registryPath);
    ReadParameters(gParameters);
    gCore = ::new (static_cast<void*>(gCoreStorage)) standin::ProtocolCore();
    gCore->init({&gParameters, &ReadSnapshotDword});

    RtlInitUnicodeString(&gDeviceName, gDeviceNameBuffer);
    RtlInitUnicodeString(&gLinkName, gLinkNameBuffer);
    PDEVICE_OBJECT device = nullptr;
    NTSTATUS status = IoCreateDevice(driver, 0, &gDeviceName, kDeviceType, 0, FALSE, &device);
    if (!NT_SUCCESS(status)) return status;
    status = IoCreateSymbolicLink(&gLinkName, &gDeviceName);
    if (!NT_SUCCESS(status)) {
        IoDeleteDevice(device);
        return status;
    }
    device->Flags |= DO_BUFFERED_IO;

    driver->MajorFunction[IRP_MJ_CREATE] = OpenOrClose;
    driver->MajorFunction[IRP_MJ_CLEANUP] = OpenOrClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = OpenOrClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DeviceControl;
    driver->DriverUnload = Unload;
    return STATUS_SUCCESS;
}
