-- A priority queue on a binary heap, with a small test at the end.
local Queue = {}
Queue.__index = Queue

local floor = math.floor
local insert, remove = table.insert, table.remove

--[[
  new(less) makes an empty queue; less(a, b) says whether a comes first.
  Without it, smaller numbers come first.
]]
function Queue.new(less)
  local self = setmetatable({}, Queue)
  self.items = {}
  self.size = 0
  self.less = less or function(a, b) return a < b end
  return self
end

local function swap(items, i, j)
  items[i], items[j] = items[j], items[i]
end

function Queue:push(value)
  self.size = self.size + 1
  self.items[self.size] = value
  local i = self.size
  while i > 1 do
    local parent = floor(i / 2)
    if not self.less(self.items[i], self.items[parent]) then break end
    swap(self.items, i, parent)
    i = parent
  end
end

function Queue:pop()
  if self.size == 0 then return nil, "empty queue" end
  local top = self.items[1]
  self.items[1] = self.items[self.size]
  self.items[self.size] = nil
  self.size = self.size - 1
  local i = 1
  repeat
    local left, right, best = 2 * i, 2 * i + 1, i
    if left <= self.size and self.less(self.items[left], self.items[best]) then best = left end
    if right <= self.size and self.less(self.items[right], self.items[best]) then best = right end
    if best == i then break end
    swap(self.items, i, best)
    i = best
  until false
  return top
end

function Queue:__len() return self.size end

function Queue:__tostring()
  local parts = {}
  for i = 1, self.size do
    parts[#parts + 1] = tostring(self.items[i])
  end
  return "Queue{" .. table.concat(parts, ", ") .. "}"
end

-- Test: push in any order, pop in order.
local q = Queue.new()
for _, v in ipairs({5, 3, 8, 1, 9, 2}) do q:push(v) end
local out = {}
while #q > 0 do insert(out, (q:pop())) end
assert(table.concat(out, " ") == "1 2 3 5 8 9", "wrong order")
print(string.format("%d items, hex %x, float %.2f", #out, 0xFF, 3.5e2), q)
local ok, err = pcall(function() error({code = 42}) end)
print(ok, type(err), err.code, nil == false, 'single \'quoted\'', "tab\t", [[long
string]], 2^10, 7 // 2, 7 % 3, ~0, 1 << 4)
local t = {name = "x", [1] = true, ["key with space"] = 0.5}
for k, v in pairs(t) do io.write(tostring(k), "=", tostring(v), "\n") end
goto done
::done::
return Queue
