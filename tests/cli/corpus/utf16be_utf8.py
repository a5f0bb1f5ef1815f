# 大端 UTF-16
print("ok")
