classdef Inventory < handle
    %INVENTORY  Stock levels per item, with reorder points and a history.
    %   inv = Inventory();
    %   inv.receive("bolt", 200);
    %   inv.ship("bolt", 30);
    %   disp(inv.report());

    properties (SetAccess = private)
        Levels   % containers.Map from item name to count
        History  % table of movements
    end

    properties
        ReorderPoint (1, 1) double {mustBeNonnegative} = 10
    end

    events
        LowStock
    end

    methods
        function obj = Inventory()
            obj.Levels = containers.Map('KeyType', 'char', 'ValueType', 'double');
            obj.History = table('Size', [0 3], 'VariableTypes', {'string', 'double', 'datetime'}, ...
                'VariableNames', {'Item', 'Change', 'When'});
        end

        function receive(obj, item, count)
            arguments
                obj
                item (1, 1) string
                count (1, 1) double {mustBePositive, mustBeInteger}
            end
            obj.change(item, count);
        end

        function ship(obj, item, count)
            have = obj.level(item);
            if count > have
                error('Inventory:short', 'cannot ship %d of %s: %d in stock', count, item, have);
            end
            obj.change(item, -count);
            if obj.level(item) < obj.ReorderPoint
                notify(obj, 'LowStock');
            end
        end

        function n = level(obj, item)
            key = char(item);
            if isKey(obj.Levels, key)
                n = obj.Levels(key);
            else
                n = 0;
            end
        end

        function text = report(obj)
            names = sort(keys(obj.Levels));
            lines = strings(numel(names), 1);
            for k = 1:numel(names)
                n = obj.Levels(names{k});
                flag = "";
                if n < obj.ReorderPoint
                    flag = "  (reorder)";
                end
                lines(k) = sprintf("%-12s %6d%s", names{k}, n, flag);
            end
            text = strjoin(lines, newline);
        end
    end

    methods (Access = private)
        function change(obj, item, delta)
            obj.Levels(char(item)) = obj.level(item) + delta;
            obj.History(end + 1, :) = {item, delta, datetime('now')};
        end
    end
end
