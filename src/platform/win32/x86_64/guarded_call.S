// int orv_guarded_call(void (*fn)(void*), void* context, StructuredFault* fault)
//
// Calls fn(context) in a frame whose exception handler is orv_guard_handler (guard_handler.cpp). When a fault
// is raised below, the handler records it and unwinds to orv_guard_recovered, inside this frame, which returns 0;
// a normal return gives 1. The frame saves no register: the unwind restores the caller's non-volatile registers
// from the frames in between, as it does for any handler's target.
//
// Frame (rsp after the prologue, which is the frame the system hands the handler):
//   0..31  the callee's home area
//   32     the fault record, where the handler finds it
        .text
        .p2align 4
        .globl  orv_guarded_call
        .def    orv_guarded_call; .scl 2; .type 32; .endef
        .seh_proc orv_guarded_call
orv_guarded_call:
        subq    $40, %rsp                // home area and the fault slot; rsp is 16-aligned at the call
        .seh_stackalloc 40
        .seh_endprologue
        movq    %r8, 32(%rsp)
        movq    %rcx, %rax
        movq    %rdx, %rcx
        callq   *%rax
        movl    $1, %eax
.Lleave:
        addq    $40, %rsp
        ret

        .globl  orv_guard_recovered
orv_guard_recovered:                     // reached only through the handler's unwind, rsp as after the prologue
        xorl    %eax, %eax
        jmp     .Lleave
        .seh_handler orv_guard_handler, @except
        .seh_endproc
