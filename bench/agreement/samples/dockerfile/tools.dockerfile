# A development image with the C++ tool chain and a non-root user.
FROM debian:12
ARG USER_ID=1000
ARG DEBIAN_FRONTEND=noninteractive

RUN set -eux; \
    apt-get update; \
    apt-get install -y --no-install-recommends \
        build-essential cmake ninja-build git gdb \
        clang clang-format clang-tidy python3 python3-pip; \
    rm -rf /var/lib/apt/lists/*

ENV CC=clang CXX=clang++ \
    PATH="/home/dev/.local/bin:${PATH}"

RUN groupadd --gid "${USER_ID}" dev \
    && useradd --uid "${USER_ID}" --gid dev --create-home --shell /bin/bash dev
WORKDIR /work
COPY --chown=dev:dev requirements.txt /tmp/requirements.txt
RUN pip3 install --no-cache-dir --break-system-packages -r /tmp/requirements.txt
USER dev
ENTRYPOINT ["/bin/bash", "-l"]
