// 计算斐波那契数列（递归版本）
#include <cstdio>

/* 注释：使用全角空格　和中文标点，。
   第二行 */
int fib(int n) { return n < 2 ? n : fib(n - 1) + fib(n - 2); }

int main() {
    std::printf("结果：%d\n", fib(10));  // 输出 55
    const char* s = "含有😀表情";
}
