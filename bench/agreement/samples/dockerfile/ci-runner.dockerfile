# An image for CI jobs that build C++ with CMake and run the tests under Xvfb.
FROM debian:bookworm

ARG DEBIAN_FRONTEND=noninteractive
ARG USER_ID=1000
ARG GROUP_ID=1000

SHELL ["/bin/bash", "-o", "pipefail", "-c"]

RUN dpkg --add-architecture i386 \
 && apt-get update \
 && apt-get install -y --no-install-recommends \
      build-essential cmake ninja-build ccache git ca-certificates \
      clang lld llvm \
      g++-mingw-w64-i686 g++-mingw-w64-x86-64 \
      wine wine32:i386 wine64 xvfb xauth \
      python3 python3-pygments \
 && apt-get clean \
 && rm -rf /var/lib/apt/lists/*

# ccache lives in a volume so that jobs share it.
ENV CCACHE_DIR=/cache/ccache \
    CCACHE_MAXSIZE=5G \
    CMAKE_GENERATOR=Ninja \
    CC="ccache gcc" \
    CXX="ccache g++"
VOLUME ["/cache"]

RUN groupadd --gid "${GROUP_ID}" builder \
 && useradd --uid "${USER_ID}" --gid builder --create-home builder \
 && mkdir -p /cache/ccache /work \
 && chown -R builder:builder /cache /work

USER builder
WORKDIR /work
# Wine creates its prefix on first use; doing it here keeps jobs quiet and fast.
RUN WINEDEBUG=-all wineboot --init 2>/dev/null; wineserver --wait || true

COPY --chown=builder:builder ci/entrypoint.sh /usr/local/bin/ci-entrypoint
ENTRYPOINT ["/usr/local/bin/ci-entrypoint"]
CMD ["bash"]
