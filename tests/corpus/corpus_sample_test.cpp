// The round trip over a sample of real files that Debian packages install,
// read in place (nothing of them is kept in this tree), and over hand-made
// HTML that shows the property catches what it guards. The sample holds
// files known to have lost line breaks: pthread.h, socket.py and site.py
// among them. Files missing on a host are skipped and counted.
#include <gtest/gtest.h>
#include <cstdio>
#include <initializer_list>
#include "tests/corpus/round_trip.h"
#include "tests/support/temp_file.h"

namespace {

class CorpusSample : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        checker_ = new RoundTripChecker;
        loaded_ = checker_->Load();
    }
    static void TearDownTestSuite() {
        delete checker_;
        checker_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(loaded_) << "cannot read Lumatype.ini beside the test"; }

    // Every failing file is one failure; the counts go to the output.
    static void CheckFiles(const char* family, const std::string& root, std::initializer_list<const char*> names) {
        CorpusTally tally;
        for (const char* name : names) {
            const std::string path = root + name;
            const RoundTripResult result = checker_->Check(path);
            tally.Add(path, result);
            if (result.outcome == RoundTripOutcome::Failing) ADD_FAILURE() << path << ": " << result.detail;
        }
        std::printf("%s: %s\n", family, tally.Summary().c_str());
        for (const std::string& path : tally.refusedPaths) std::printf("  refused: %s\n", path.c_str());
        if (tally.checked == 0) GTEST_SKIP() << "none of the " << names.size() << " files is on this host";
    }

    static RoundTripChecker* checker_;
    static bool loaded_;
};

RoundTripChecker* CorpusSample::checker_ = nullptr;
bool CorpusSample::loaded_ = false;

TEST_F(CorpusSample, CHeaders) {
    CheckFiles("C headers", "/usr/include/", {
        "pthread.h", "x86_64-linux-gnu/bits/math-vector.h", "X11/extensions/Xge.h", "aio.h", "ar.h", "assert.h",
        "complex.h", "ctype.h", "cursesm.h", "cursslk.h", "elf.h", "err.h", "eti.h", "expat_external.h",
        "features.h", "fnmatch.h", "fts.h", "getopt.h", "gnu-versions.h", "gshadow.h", "idn2.h", "jerror.h",
        "langinfo.h", "libgen.h", "limits.h", "lzma.h", "mcheck.h", "mntent.h", "nc_tparm.h", "nl_types.h",
        "panel.h", "proc_service.h", "pwd.h", "regexp.h", "search.h", "shadow.h", "sqlite3.h", "stdc-predef.h",
        "stdio_ext.h", "strings.h", "tar.h", "termcap.h", "tgmath.h", "tic.h", "ucontext.h", "unistd.h",
        "utmpx.h", "wchar.h", "yaml.h", "z3_api.h", "z3_fpa.h", "z3_polynomial.h", "z3_v1.h",
        "asm-generic/auxvec.h", "asm-generic/sembuf.h", "linux/adb.h", "linux/atm_tcp.h", "linux/batman_adv.h",
        "linux/cachefiles.h", "linux/cfm_bridge.h", "linux/cycx_cfm.h", "linux/dvb/osd.h", "linux/fcntl.h",
        "linux/gen_stats.h", "linux/hyperv.h", "linux/if_fddi.h", "linux/igmp.h", "linux/ip6_tunnel.h",
        "linux/kd.h", "linux/lp.h", "linux/mman.h", "linux/net.h", "linux/netfilter/nf_tables_compat.h",
        "linux/netfilter/xt_IDLETIMER.h", "linux/netfilter/xt_connlimit.h", "linux/netfilter/xt_nfacct.h",
        "linux/netfilter/xt_u32.h", "linux/netfilter_bridge/ebt_vlan.h", "linux/netfilter_ipv6/ip6t_hl.h",
        "linux/nfsd/cld.h", "linux/parport.h", "linux/posix_types.h", "linux/raid/md_u.h", "linux/rtc.h",
        "linux/serial_core.h", "linux/stat.h", "linux/tc_act/tc_ctinfo.h", "linux/tcp.h", "linux/ublk_cmd.h",
        "linux/usb/g_printer.h", "linux/vbox_err.h", "linux/virtio_fs.h", "linux/vm_sockets.h",
        "x86_64-linux-gnu/a.out.h", "x86_64-linux-gnu/asm/e820.h", "x86_64-linux-gnu/asm/kvm_para.h",
        "x86_64-linux-gnu/asm/posix_types.h", "x86_64-linux-gnu/asm/setup.h", "x86_64-linux-gnu/asm/svm.h",
        "x86_64-linux-gnu/asm/vm86.h", "x86_64-linux-gnu/bits/dirent.h", "x86_64-linux-gnu/bits/errno.h",
        "x86_64-linux-gnu/bits/fp-fast.h", "x86_64-linux-gnu/bits/ioctl-types.h",
        "x86_64-linux-gnu/bits/local_lim.h", "x86_64-linux-gnu/bits/mman.h", "x86_64-linux-gnu/bits/poll2.h",
        "x86_64-linux-gnu/bits/pthreadtypes-arch.h", "x86_64-linux-gnu/bits/setjmp.h",
        "x86_64-linux-gnu/bits/signalfd.h", "x86_64-linux-gnu/bits/socket_type.h",
        "x86_64-linux-gnu/bits/stdio.h", "x86_64-linux-gnu/bits/struct_mutex.h",
        "x86_64-linux-gnu/bits/termios-c_cflag.h", "x86_64-linux-gnu/bits/time64.h",
        "x86_64-linux-gnu/bits/types/__mbstate_t.h", "x86_64-linux-gnu/bits/types/sig_atomic_t.h",
        "x86_64-linux-gnu/bits/types/struct_msqid64_ds.h", "x86_64-linux-gnu/bits/types/struct_shmid_ds.h",
        "x86_64-linux-gnu/bits/types/wint_t.h", "x86_64-linux-gnu/bits/waitstatus.h",
        "x86_64-linux-gnu/c++/12/bits/c++allocator.h", "x86_64-linux-gnu/c++/12/bits/gthr-posix.h",
        "x86_64-linux-gnu/cblas-netlib.h", "x86_64-linux-gnu/gnu/libc-version.h", "x86_64-linux-gnu/sys/acct.h",
        "x86_64-linux-gnu/sys/fanotify.h", "x86_64-linux-gnu/sys/klog.h", "x86_64-linux-gnu/sys/platform/x86.h",
        "x86_64-linux-gnu/sys/reg.h", "x86_64-linux-gnu/sys/socket.h", "x86_64-linux-gnu/sys/termios.h",
        "x86_64-linux-gnu/sys/uio.h", "c++/12/algorithm", "c++/12/bits/align.h", "c++/12/bits/charconv.h",
        "c++/12/bits/forward_list.tcc", "c++/12/bits/istream.tcc", "c++/12/bits/move_only_function.h",
        "c++/12/bits/ranges_algobase.h", "c++/12/bits/regex_scanner.h", "c++/12/bits/stl_construct.h",
        "c++/12/bits/stl_relops.h", "c++/12/bits/unordered_map.h", "c++/12/cfloat", "c++/12/csetjmp",
        "c++/12/debug/assertions.h", "c++/12/debug/safe_iterator.h", "c++/12/debug/vector",
        "c++/12/experimental/bits/numeric_traits.h", "c++/12/experimental/deque",
        "c++/12/experimental/optional", "c++/12/experimental/unordered_set", "c++/12/ext/hash_map",
        "c++/12/ext/pb_ds/detail/bin_search_tree_/info_fn_imps.hpp",
        "c++/12/ext/pb_ds/detail/binary_heap_/erase_fn_imps.hpp",
        "c++/12/ext/pb_ds/detail/binomial_heap_base_/erase_fn_imps.hpp",
        "c++/12/ext/pb_ds/detail/cc_hash_table_map_/debug_store_hash_fn_imps.hpp",
        "c++/12/ext/pb_ds/detail/cc_hash_table_map_/size_fn_imps.hpp",
        "c++/12/ext/pb_ds/detail/gp_hash_table_map_/find_fn_imps.hpp",
        "c++/12/ext/pb_ds/detail/hash_fn/direct_mod_range_hashing_imp.hpp",
        "c++/12/ext/pb_ds/detail/left_child_next_sibling_heap_/info_fn_imps.hpp",
        "c++/12/ext/pb_ds/detail/list_update_map_/lu_map_.hpp",
        "c++/12/ext/pb_ds/detail/pairing_heap_/constructors_destructor_fn_imps.hpp",
        "c++/12/ext/pb_ds/detail/pat_trie_/policy_access_fn_imps.hpp",
        "c++/12/ext/pb_ds/detail/rb_tree_map_/rb_tree_.hpp",
        "c++/12/ext/pb_ds/detail/resize_policy/hash_prime_size_policy_imp.hpp",
        "c++/12/ext/pb_ds/detail/standard_policies.hpp",
        "c++/12/ext/pb_ds/detail/trie_policy/sample_trie_access_traits.hpp", "c++/12/ext/pb_ds/tree_policy.hpp",
        "c++/12/ext/throw_allocator.h", "c++/12/iosfwd", "c++/12/numeric", "c++/12/parallel/find_selectors.h",
        "c++/12/parallel/partial_sum.h", "c++/12/pstl/algorithm_impl.h", "c++/12/pstl/parallel_backend_utils.h",
        "c++/12/spanstream", "c++/12/tr1/array", "c++/12/tr1/cstdlib", "c++/12/tr1/inttypes.h",
        "c++/12/tr1/stdarg.h", "c++/12/tr2/bool_set.tcc", "gtest/gtest-assertion-result.h",
        "gtest/gtest-matchers.h", "gtest/gtest-param-test.h", "gtest/gtest-test-part.h", "gtest/gtest.h",
        "gtest/internal/custom/README.md", "gtest/internal/custom/gtest-printers.h",
        "gtest/internal/gtest-death-test-internal.h", "gtest/internal/gtest-param-util.h",
        "gtest/internal/gtest-port.h",
    });
}

TEST_F(CorpusSample, PythonLibrary) {
    CheckFiles("Python library", "/usr/lib/python3.11/", {
        "socket.py", "site.py", "ntpath.py", "__future__.py", "_compat_pickle.py", "_pyio.py", "aifc.py",
        "asyncio/base_events.py", "asyncio/exceptions.py", "asyncio/protocols.py", "asyncio/subprocess.py",
        "asyncio/unix_events.py", "bz2.py", "code.py", "concurrent/__init__.py", "contextlib.py",
        "ctypes/_aix.py", "curses/panel.py", "decimal.py", "distutils/ccompiler.py",
        "distutils/command/build_clib.py", "distutils/command/install.py", "distutils/command/sdist.py",
        "distutils/dir_util.py", "distutils/log.py", "distutils/util.py", "email/_parseaddr.py",
        "email/feedparser.py", "email/mime/application.py", "email/mime/text.py", "encodings/ascii.py",
        "encodings/cp1006.py", "encodings/cp1253.py", "encodings/cp437.py", "encodings/cp855.py",
        "encodings/cp863.py", "encodings/cp932.py", "encodings/gb18030.py", "encodings/iso2022_jp.py",
        "encodings/iso8859_1.py", "encodings/iso8859_2.py", "encodings/iso8859_9.py", "encodings/mac_arabic.py",
        "encodings/mac_roman.py", "encodings/punycode.py", "encodings/tis_620.py", "encodings/utf_32_be.py",
        "ensurepip/__init__.py", "ftplib.py", "graphlib.py", "html/parser.py", "imghdr.py",
        "importlib/machinery.py", "importlib/metadata/_text.py", "importlib/resources/abc.py", "ipaddress.py",
        "lib2to3/__init__.py", "lib2to3/fixes/fix_apply.py", "lib2to3/fixes/fix_execfile.py",
        "lib2to3/fixes/fix_idioms.py", "lib2to3/fixes/fix_itertools.py", "lib2to3/fixes/fix_next.py",
        "lib2to3/fixes/fix_raw_input.py", "lib2to3/fixes/fix_throw.py", "lib2to3/fixes/fix_xreadlines.py",
        "lib2to3/pgen2/grammar.py", "lib2to3/pytree.py", "lzma.py", "multiprocessing/context.py",
        "multiprocessing/popen_fork.py", "multiprocessing/resource_sharer.py", "netrc.py", "optparse.py",
        "pkgutil.py", "pstats.py", "queue.py", "re/_parser.py", "shelve.py", "sre_parse.py", "subprocess.py",
        "tempfile.py", "tomllib/__init__.py", "tty.py", "unittest/async_case.py", "unittest/signals.py",
        "urllib/response.py", "wave.py", "wsgiref/types.py", "xml/dom/domreg.py", "xml/etree/ElementPath.py",
        "xml/sax/_exceptions.py", "xmlrpc/server.py",
    });
}

TEST_F(CorpusSample, CMakeModules) {
    CheckFiles("CMake modules", "/usr/share/cmake-3.25/Modules/", {
        "FetchContent.cmake", "AddFileDependencies.cmake", "CMakeCompilerIdDetection.cmake",
        "CMakeDetermineOBJCXXCompiler.cmake", "CMakeFortranInformation.cmake",
        "CMakeParseImplicitIncludeInfo.cmake", "CMakeTestHIPCompiler.cmake", "CUDA/architectures.cmake",
        "CheckLinkerFlag.cmake", "Compiler/ADSP.cmake", "Compiler/AppleClang-OBJC.cmake",
        "Compiler/Clang-OBJCXX.cmake", "Compiler/Fujitsu-Fortran.cmake", "Compiler/GNU-FindBinUtils.cmake",
        "Compiler/IBMClang-C.cmake", "Compiler/IntelLLVM.cmake", "Compiler/NVHPC-CXX.cmake",
        "Compiler/PathScale.cmake", "Compiler/SunPro.cmake", "Compiler/Watcom-DetermineCompiler.cmake",
        "FLTKCompatibility.cmake", "FindCUDAToolkit.cmake", "FindGDAL.cmake", "FindIconv.cmake",
        "FindLua51.cmake", "FindPNG.cmake", "FindQt4.cmake", "FindTclsh.cmake", "FindosgParticle.cmake",
        "GoogleTest.cmake", "Internal/HeaderpadWorkaround.cmake", "Platform/AIX-IBMClang.cmake",
        "Platform/Android-Common.cmake", "Platform/Android/abi-common-Clang.cmake",
        "Platform/Android/ndk-stl-gnustl_static.cmake", "Platform/Apple-GNU-Fortran.cmake",
        "Platform/Apple-VisualAge-CXX.cmake", "Platform/BlueGeneP-static.cmake", "Platform/CYGWIN-GNU-C.cmake",
        "Platform/GHS-MULTI-Determine.cmake", "Platform/HP-UX-HP-Fortran.cmake",
        "Platform/Linux-IntelLLVM-C.cmake", "Platform/Linux-PGI.cmake", "Platform/MSYS-GNU-CXX.cmake",
        "Platform/SerenityOS-Clang-ASM.cmake", "Platform/ULTRIX.cmake", "Platform/Windows-GNU-C-ABI.cmake",
        "Platform/Windows-MSVC-CXX.cmake", "Platform/WindowsPhone-Clang-C.cmake",
        "Platform/iOS-Determine-CXX.cmake", "TestForANSIForScope.cmake",
    });
}

TEST_F(CorpusSample, ShellScripts) {
    CheckFiles("shell scripts", "", {
        "/usr/bin/c89-gcc", "/usr/bin/c99-gcc", "/usr/bin/dpkg-maintscript-helper", "/usr/bin/dpkg-realpath",
        "/usr/bin/fakeroot-sysv", "/usr/bin/fakeroot-tcp", "/usr/bin/gcore", "/usr/bin/gdb-add-index",
        "/usr/bin/gdbtui", "/usr/bin/lcf", "/usr/bin/ldd", "/usr/bin/memusage", "/usr/bin/neqn",
        "/usr/bin/nroff", "/usr/bin/savelog", "/usr/bin/select-editor", "/usr/bin/sensible-browser",
        "/usr/bin/sensible-editor", "/usr/bin/sensible-pager", "/usr/bin/sotruss", "/usr/bin/strace-log-merge",
        "/usr/bin/tzselect", "/usr/bin/ucf", "/usr/bin/ucfr", "/usr/bin/which.debianutils",
        "/usr/bin/wine-stable", "/usr/bin/xdg-user-dir", "/usr/bin/xvfb-run", "/usr/bin/xzdiff",
        "/usr/bin/xzgrep", "/usr/bin/xzless", "/usr/bin/xzmore", "/usr/bin/zipgrep", "/usr/bin/zstdgrep",
        "/usr/bin/zstdless", "/etc/init.d/procps", "/etc/init.d/hwclock.sh", "/etc/init.d/x11-common",
        "/etc/init.d/dbus", "/etc/cron.daily/dpkg", "/etc/cron.daily/man-db", "/etc/cron.daily/apt-compat",
        "/etc/cron.weekly/man-db", "/etc/X11/Xsession",
    });
}

// Code that converts cleanly today: blanks, tabs, characters the settings
// escape, a line comment at the very end, empty lines inside and after.
TEST_F(CorpusSample, CleanCodeComesBack) {
    const TempFile file("corpus_clean", ".c",
                        "int a;\t// x < y && \"q\"\n\n  b = 'c';  /* two\n\tlines */\r\n  \"s\\\"t\" // end");
    const RoundTripResult result = checker_->Check(WideToUtf8(file.Path()));
    EXPECT_EQ(result.outcome, RoundTripOutcome::Passed) << result.detail;
    EXPECT_EQ(checker_->Check("/no/such/file.c").outcome, RoundTripOutcome::Skipped);
}

// The table as the command line writes it with line numbers, reduced to its cells.
std::string Table(const std::string& numbers, const std::string& code) {
    return "<div><table><tbody>\r\n<tr><td colspan=\"9\"></td></tr><tr>\r\n<td></td>\r\n<td></td>\r\n<td>\r\n" +
           numbers + "\r\n</td>\r\n<td></td>\r\n<td></td>\r\n<td></td>\r\n<td>\r\n" + code +
           "</td>\r\n<td></td>\r\n<td></td>\r\n</tr>\r\n<tr><td colspan=\"9\"></td></tr>\r\n"
           "</tbody>\r\n</table>\r\n</div>\r\n";
}

TEST(RoundTripProperty, ReadsTheCodeCellAsABrowserShowsIt) {
    const TabRule four{4, false};
    EXPECT_EQ(FindRoundTripFault(u"a  <\r\n\tb\r\n\r\n", Table("1<br/>2", "a &nbsp;&lt;<br/>\r\n"
                                 "&nbsp;&nbsp;&nbsp;&nbsp;<span style=\"color:#0000FF\">b</span>\r\n"), four),
              std::nullopt);
    EXPECT_EQ(FindRoundTripFault(u"ab\tc", Table("1", "ab&nbsp;&nbsp;c\r\n"), {4, true}), std::nullopt);
    EXPECT_EQ(FindRoundTripFault(u"\r\n\r\n", Table("", ""), four), std::nullopt) << "only empty lines";
    EXPECT_EQ(FindRoundTripFault(u"", "", four), std::nullopt) << "nothing to convert";
}

TEST(RoundTripProperty, CatchesLinesThatDriftOrChange) {
    const TabRule four{4, false};
    // The line end inside the string is HTML source, not a line break.
    const std::optional<std::string> glued = FindRoundTripFault(
        u"s = \"a\\\r\nb\";\r\nx", Table("1<br/>2<br/>3", "s = &quot;a\\\r\nb&quot;;<br/>\r\nx\r\n"), four);
    ASSERT_TRUE(glued);
    EXPECT_NE(glued->find("1 <br/> in the code cell for 3 line numbers"), std::string::npos) << *glued;
    EXPECT_NE(glued->find("line 1 shows \"s = \"a\\b\";\" where the file has \"s = \"a\\\""), std::string::npos)
        << *glued;

    EXPECT_TRUE(FindRoundTripFault(u"\tb", Table("1", "&nbsp;&nbsp;b"), four)) << "tab of the wrong width";
    EXPECT_TRUE(FindRoundTripFault(u"a\r\nb", Table("1<br/>3", "a<br/>b"), four)) << "a number skipped";
    EXPECT_TRUE(FindRoundTripFault(u"a\r\nb", Table("1", "a"), four)) << "a line left out";
    EXPECT_TRUE(FindRoundTripFault(u"a", "<div></div>", four)) << "no table";
}

}  // namespace
