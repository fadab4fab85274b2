// int orv_guarded_call(void (*fn)(void*), void* context, StructuredFault* fault)      (cdecl)
//
// i686 has no unwind tables: a frame takes part in structured exceptions by pushing a registration record on
// the thread's chain at fs:0. This frame pushes one whose handler is orv_guard_handler (guard_handler.cpp) and
// which also holds what is needed to come back: this frame's ebp and the fault record. When a fault is raised
// below, the handler records it and calls orv_guard_resume, which unwinds the records above ours (RtlUnwind) and
// continues at .Lleave in this frame with 0. GCC's i686 C++ exceptions use DWARF tables, not this chain, so
// nothing of theirs is left pointing into the discarded frames.
//
// Frame, from ebp:
//   +8 fn   +12 context   +16 fault
//   -4 ebx  -8 esi  -12 edi              (the caller's, restored on both ways out)
//   -16 fault  -20 ebp  -24 handler  -28 previous record     (the registration record, at ebp-28)
        .text
        .p2align 4
        .globl  _orv_guarded_call
        .def    _orv_guarded_call; .scl 2; .type 32; .endef
_orv_guarded_call:
        pushl   %ebp
        movl    %esp, %ebp
        pushl   %ebx
        pushl   %esi
        pushl   %edi
        pushl   16(%ebp)
        pushl   %ebp
        pushl   $_orv_guard_handler
        pushl   %fs:0
        movl    %esp, %fs:0
        pushl   12(%ebp)
        call    *8(%ebp)
        movl    $1, %eax
.Lleave:
        movl    -28(%ebp), %ecx          // take our record off the chain
        movl    %ecx, %fs:0
        leal    -12(%ebp), %esp
        popl    %edi
        popl    %esi
        popl    %ebx
        popl    %ebp
        ret

// void orv_guard_resume(Registration* record, EXCEPTION_RECORD* exception)      (cdecl, never returns)
// Called by the handler, on the stack of the exception dispatch. RtlUnwind calls the handlers of the records
// above ours for unwinding, takes them off the chain and returns here; no register but esp is trusted after it.
        .globl  _orv_guard_resume
        .def    _orv_guard_resume; .scl 2; .type 32; .endef
_orv_guard_resume:
        pushl   $0                       // return value (unused)
        pushl   12(%esp)                 // the exception record (8(%esp) on entry)
        pushl   $.Lunwound               // where RtlUnwind returns
        pushl   16(%esp)                 // target: our registration record (4(%esp) on entry)
        call    _RtlUnwind@16
.Lunwound:
        movl    4(%esp), %eax            // our registration record, from our own argument
        movl    8(%eax), %ebp            // the guarded call's frame
        xorl    %eax, %eax
        jmp     .Lleave
